// The selection as the program sees it: "None", "Text" or "Control", the
// HTML of the selected part, and pasting markup in its place.

// Elements that are selected as one object.
const CONTROL_ELEMENTS = new Set(['IMG', 'INPUT', 'TEXTAREA', 'SELECT', 'BUTTON', 'TABLE', 'HR',
    'IFRAME', 'OBJECT', 'EMBED', 'MARQUEE']);

// Where the HTML of a selection stops growing outwards: their own tags never
// belong to the selected text.
const SELECTION_LIMITS = new Set(['HTML', 'BODY', 'TD', 'TH', 'TR', 'TBODY', 'THEAD', 'TFOOT',
    'TABLE', 'CAPTION', 'LI', 'DT', 'DD']);

function selectionRange()
{
    const selection = getSelection();
    return selection.rangeCount ? selection.getRangeAt(0) : null;
}

function containsWholly(range, node)
{
    const around = document.createRange();
    around.selectNode(node);
    return range.compareBoundaryPoints(Range.START_TO_START, around) <= 0
        && range.compareBoundaryPoints(Range.END_TO_END, around) >= 0;
}

function isAtom(node)
{
    const name = elementName(node);
    return CONTROL_ELEMENTS.has(name) || (VOID_ELEMENTS.has(name) && name !== 'BR'
        && name !== 'WBR');
}

// Visits, in document order, what the range shows: each text node with
// visible characters in the range (with the range's part of it) and each
// object wholly inside it. The visitor returns true to stop.
function visitContent(range, visit)
{
    function walk(node) {
        if (!range.intersectsNode(node))
            return false;
        if (node.nodeType === Node.TEXT_NODE) {
            const start = node === range.startContainer ? range.startOffset : 0;
            const end = node === range.endContainer ? range.endOffset : node.data.length;
            const part = node.data.slice(start, end);
            if (start < end && !LAYOUT_WHITESPACE.test(part)
                && !(placeholderTexts.has(node) && part === PLACEHOLDER))
                return visit({node, start, end});
            return false;
        }
        if (isAtom(node) && containsWholly(range, node))
            return visit({node, atom: true});
        for (let child = node.firstChild; child; child = child.nextSibling) {
            if (walk(child))
                return true;
        }
        return false;
    }
    walk(range.commonAncestorContainer);
}

function selectionType()
{
    const range = selectionRange();
    if (!range || range.collapsed)
        return 'None';
    let controls = 0;
    let text = false;
    visitContent(range, item => {
        if (!item.atom)
            text = true;
        else if (CONTROL_ELEMENTS.has(elementName(item.node)))
            ++controls;
        return text || controls > 1;
    });
    if (!text && controls === 1)
        return 'Control';
    // A placeholder selected in an empty element stands for a caret there.
    const shown = range.toString();
    return !text && shown !== '' && shown.split(PLACEHOLDER).join('') === '' ? 'None' : 'Text';
}

function selectedControl()
{
    const range = selectionRange();
    let control = null;
    if (range && !range.collapsed) {
        visitContent(range, item => {
            if (item.atom && CONTROL_ELEMENTS.has(elementName(item.node)))
                control = item.node;
            return control !== null;
        });
    }
    return control;
}

// The range from the first to the last thing the range shows, leaving out
// layout whitespace at its ends.
function shownRange(range)
{
    let first = null;
    let last = null;
    visitContent(range, item => {
        first = first || item;
        last = item;
        return false;
    });
    const shown = range.cloneRange();
    if (!first)
        return shown;
    if (first.atom)
        shown.setStartBefore(first.node);
    else
        shown.setStart(first.node, first.start);
    if (last.atom)
        shown.setEndAfter(last.node);
    else
        shown.setEnd(last.node, last.end);
    return shown;
}

function firstShown(element)
{
    const all = document.createRange();
    all.selectNodeContents(element);
    let found = null;
    visitContent(all, item => {
        found = found || item;
        return true;
    });
    return found;
}

function lastShown(element)
{
    const all = document.createRange();
    all.selectNodeContents(element);
    let found = null;
    visitContent(all, item => {
        found = item;
        return false;
    });
    return found;
}

function shownEnd(text)
{
    let end = text.length;
    while (end > 0 && ' \t\n\r\f'.includes(text[end - 1]))
        --end;
    return end;
}

// True when the range takes in everything the element shows.
function coversContent(range, element)
{
    const first = firstShown(element);
    const last = lastShown(element);
    if (!first || !last)
        return false;
    const startInside = first.atom
        ? containsWholly(range, first.node)
        : range.comparePoint(first.node, first.node.data.search(/[^ \t\n\r\f]/)) === 0;
    const endInside = last.atom
        ? containsWholly(range, last.node)
        : range.comparePoint(last.node, shownEnd(last.node.data)) === 0;
    return startInside && endInside;
}

// A selection that takes in all of an element's content is the element
// itself: its tags belong to the selected HTML. Growing stops after the
// first block, so a whole paragraph gives its own P tags and no more.
function wholeElementsRange(range)
{
    const grown = shownRange(range);
    for (;;) {
        let element = grown.commonAncestorContainer;
        if (element.nodeType !== Node.ELEMENT_NODE)
            element = element.parentNode;
        if (!element || SELECTION_LIMITS.has(elementName(element))
            || !coversContent(grown, element))
            return grown;
        grown.selectNode(element);
        if (LINE_ELEMENTS.has(elementName(element)))
            return grown;
    }
}

function selectionHtml()
{
    const range = selectionRange();
    if (!range || range.collapsed)
        return '';
    return serialiseRange(wholeElementsRange(range));
}

function controlHtml()
{
    const control = selectedControl();
    return control ? serialiseOuter(control) : '';
}

function deleteSelection()
{
    const selection = getSelection();
    if (selection.rangeCount && !selection.isCollapsed)
        document.execCommand('delete', false, null);
}

// A node's path: child indices from the document down, the DOCTYPE not
// counted, as the program's parse of the page numbers its nodes.
function pathOfNode(node)
{
    const steps = [];
    for (let n = node; n !== document; n = n.parentNode) {
        const parent = n && n.parentNode;
        if (!parent)
            return null;
        steps.push(parent === document ? sourceChildren([...parent.childNodes]).indexOf(n)
            : childIndex(n));
    }
    return steps.reverse().join('.');
}

function pointOf(container, offset)
{
    if (container === document) {
        const doctype = document.doctype;
        if (doctype && childIndex(doctype) < offset)
            --offset;
    }
    const path = pathOfNode(container);
    return path === null ? null : [path, offset];
}

// The selection as its start and end points ([path, offset] each), whether
// it runs backwards, and the document's changes since the load (see
// documentChanges): the program tells from these where it stands in the
// page's text. Null without a selection in the document.
function sourceSelection()
{
    const selection = getSelection();
    if (!selection.rangeCount)
        return null;
    const range = selection.getRangeAt(0);
    const start = pointOf(range.startContainer, range.startOffset);
    const end = pointOf(range.endContainer, range.endOffset);
    if (!start || !end)
        return null;
    const backwards = !range.collapsed && selection.anchorNode === range.endContainer
        && selection.anchorOffset === range.endOffset;
    return [...start, ...end, backwards, documentChanges()];
}

function resolvePoint(path, offset)
{
    const node = nodeAtPath(path);
    if (!node)
        return null;
    const length = node.nodeType === Node.ELEMENT_NODE || node.nodeType === Node.DOCUMENT_NODE
        ? node.childNodes.length : node.data.length;
    let at = Math.max(0, Math.min(offset, length));
    if (node === document && document.doctype && childIndex(document.doctype) < at + 1)
        at = Math.min(at + 1, length);
    return [node, at];
}

function scrollToSelection()
{
    const selection = getSelection();
    if (!selection.rangeCount)
        return;
    let target = selection.focusNode;
    if (target && target.nodeType !== Node.ELEMENT_NODE)
        target = target.parentNode;
    if (!target || !target.scrollIntoView)
        return;
    const centre = () => {
        const range = getSelection().rangeCount ? getSelection().getRangeAt(0) : null;
        const box = range ? range.getBoundingClientRect() : null;
        if (box && (box.width || box.height)) {
            if (box.top < 0 || box.bottom > innerHeight)
                scrollBy(0, box.top - innerHeight / 2);
        } else {
            target.scrollIntoView({block: 'center'});
        }
    };
    centre();
    // Blocks out of sight of a long page are laid out once near: look again
    // after that layout.
    requestAnimationFrame(centre);
}

// Selects from the anchor to the focus point and shows the selection;
// false when a path names no node.
function selectPlace(anchorPath, anchorOffset, focusPath, focusOffset)
{
    const anchor = resolvePoint(anchorPath, anchorOffset);
    const focus = resolvePoint(focusPath, focusOffset);
    if (!anchor || !focus)
        return false;
    getSelection().setBaseAndExtent(anchor[0], anchor[1], focus[0], focus[1]);
    scrollToSelection();
    return true;
}
