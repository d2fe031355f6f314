// Wrapping the selection in new elements (a list, a preformatted block, an
// editable area, a character style) by moving the selected nodes into them.
// The page's own elements and text stay the nodes they were, only in a new
// place, so that when the page is written back they keep their markup as the
// author wrote it; only the new elements take the program's form.

// Elements whose content is text or options: what the selection holds goes
// into them as markup text, never as moved nodes.
const TEXT_HOLDING_ELEMENTS = new Set(['OPTION', 'OPTGROUP', 'TITLE']);

// Elements whose children are rows and cells: a selection across cells is
// not one run of content to move.
const TABLE_STRUCTURE = new Set(['TABLE', 'THEAD', 'TBODY', 'TFOOT', 'TR', 'COLGROUP']);

function holdsMovedNodes(element)
{
    const name = elementName(element);
    return !CONTROL_ELEMENTS.has(name) && !RAW_TEXT_ELEMENTS.has(name)
        && !TEXT_HOLDING_ELEMENTS.has(name) && !VOID_ELEMENTS.has(name);
}

// A paragraph or division with no attributes but a plain alignment: a
// wrap that strips block wrappers wraps its content instead of it.
function isPlainBlock(element)
{
    const name = elementName(element);
    if (name !== 'P' && name !== 'DIV')
        return false;
    const attributes = [...element.attributes];
    return attributes.length === 0 || (attributes.length === 1 && attributes[0].name === 'align'
        && /^(left|right|center)$/i.test(attributes[0].value));
}

// The one element a range selects whole, or null.
function selectedElement(range)
{
    if (range.startContainer !== range.endContainer || range.endOffset !== range.startOffset + 1
        || range.startContainer.nodeType !== Node.ELEMENT_NODE)
        return null;
    const node = range.startContainer.childNodes[range.startOffset];
    return node && node.nodeType === Node.ELEMENT_NODE ? node : null;
}

// Whether the nodes of `element` before (forwards false) or after the
// child offset show nothing: layout whitespace, empty elements, named
// anchors.
function showsNothingBeside(element, offset, forwards)
{
    const children = element.childNodes;
    const from = forwards ? offset : 0;
    const to = forwards ? children.length : offset;
    for (let i = from; i < to; ++i) {
        const child = children[i];
        if (child.nodeType === Node.TEXT_NODE ? !LAYOUT_WHITESPACE.test(child.data)
            : child.nodeType === Node.ELEMENT_NODE
                && (child.matches(SHOWN_OBJECTS) || !showsNothing(child)))
            return false;
    }
    return true;
}

function showsNothingAt(container, offset, forwards)
{
    if (container.nodeType === Node.TEXT_NODE) {
        const part = forwards ? container.data.slice(offset) : container.data.slice(0, offset);
        return LAYOUT_WHITESPACE.test(part);
    }
    return showsNothingBeside(container, offset, forwards);
}

function canTakeWhole(node, other)
{
    return node !== document.body && !SELECTION_LIMITS.has(elementName(node))
        && !node.contains(other);
}

// Grows the range over every node whose whole shown content it holds, so
// that such a node moves whole (its tags with it) rather than being cut in
// two, leaving an emptied copy behind.
function takeWholeNodes(range)
{
    while (showsNothingAt(range.startContainer, range.startOffset, false)
           && canTakeWhole(range.startContainer, range.endContainer))
        range.setStartBefore(range.startContainer);
    while (showsNothingAt(range.endContainer, range.endOffset, true)
           && canTakeWhole(range.endContainer, range.startContainer))
        range.setEndAfter(range.endContainer);
}

// Makes characters start .. end of the text a node of their own and gives
// it. The page's node keeps the longest of the (up to three) parts, so that
// as many characters as can keep their source form (references, line
// breaks); the others become new text nodes beside it.
function isolateText(text, start, end)
{
    const data = text.data;
    const parts = [data.slice(0, start), data.slice(start, end), data.slice(end)];
    let keep = 1;
    if (parts[0].length > parts[keep].length)
        keep = 0;
    if (parts[2].length > parts[keep].length)
        keep = 2;
    const nodes = parts.map((part, i) => (i === keep ? text
        : (part === '' ? null : document.createTextNode(part))));
    if (text.data !== parts[keep])
        text.data = parts[keep];
    text.before(...nodes.slice(0, keep).filter(Boolean));
    text.after(...nodes.slice(keep + 1).filter(Boolean));
    return nodes[1];
}

// The range with its ends moved out of text nodes: a text it cuts is split
// there first. The range is live, so that splitting one end keeps the other
// in place.
function cutTextsAtEnds(range)
{
    const start = range.startContainer;
    const end = range.endContainer;
    const startOffset = range.startOffset;
    const endOffset = range.endOffset;
    let first = null;
    let last = null;
    if (start.nodeType === Node.TEXT_NODE && start === end) {
        first = last = isolateText(start, startOffset, endOffset);
    } else {
        if (start.nodeType === Node.TEXT_NODE)
            first = isolateText(start, startOffset, start.data.length);
        if (end.nodeType === Node.TEXT_NODE)
            last = isolateText(end, 0, endOffset);
    }
    if (first)
        range.setStartBefore(first);
    if (last)
        range.setEndAfter(last);
}

// The elements a range cuts in two at its start or end (outermost first):
// taking the range out leaves them in place with their other part and puts
// copies of them, holding the range's part, into what is taken out.
function cutElements(container, common)
{
    const cut = [];
    for (let node = container; node && node !== common; node = node.parentNode)
        cut.unshift(node);
    return cut;
}

// The copies extraction made of the cut elements, along the fragment's
// first (or last) children.
function copiesOf(cut, fragment, first)
{
    const copies = [];
    let node = fragment;
    for (let i = 0; i < cut.length; ++i) {
        node = first ? node.firstChild : node.lastChild;
        if (!node || node.nodeType !== Node.ELEMENT_NODE || node.tagName !== cut[i].tagName)
            break;
        copies.push(node);
    }
    return copies;
}

// Moves what the range holds into `inner`, puts the new elements where it
// was and takes out the cut elements left with nothing to show.
function moveIntoWrapper(range, wrapper, inner)
{
    takeWholeNodes(range);
    cutTextsAtEnds(range);
    const common = range.commonAncestorContainer;
    const startCut = cutElements(range.startContainer, common);
    const endCut = cutElements(range.endContainer, common);
    const content = range.extractContents();
    forgetCopiedNames([...copiesOf(startCut, content, true), ...copiesOf(endCut, content, false)]);
    inner.appendChild(content);
    insertFragment(range, wrapper);
    const cut = [...startCut, ...endCut];
    const cutSet = new Set(cut);
    for (const element of cut) {
        if (element.isConnected && !element.contains(inner) && isEmptiedHalf(element, cutSet))
            element.remove();
    }
}

// The range whose nodes a wrap moves, as the selection's HTML would give
// them: a control alone, a whole element, or the shown part of the text.
function wrappedRange(stripBlock)
{
    const control = selectionType() === 'Control' ? selectedControl() : null;
    const whole = control ? null : wholeElementsRange(selectionRange());
    const element = whole ? selectedElement(whole) : null;
    if (!control && !(stripBlock && element && isPlainBlock(element)))
        return whole;
    const range = document.createRange();
    if (control)
        range.selectNode(control);
    else
        range.selectNodeContents(element);
    return range;
}

// Whether the range holds a link or stands in one: a new link there would
// nest in it, which no parse of the page can give.
function touchesLink(range)
{
    const common = range.commonAncestorContainer;
    const element = common.nodeType === Node.ELEMENT_NODE ? common : common.parentElement;
    if (!element || element.closest('a'))
        return true;
    return [...element.querySelectorAll('a')].some(link => range.intersectsNode(link));
}

// Wraps the selection in the elements `opening` + `closing` make, moving the
// selected nodes into the innermost one, as one undoable step, and selects
// them there. With `stripBlock`, a whole selected plain paragraph or
// division gives its content instead of itself. False, with nothing done,
// when the selection shows nothing, the innermost element holds only text,
// a new link would nest in another or the selection runs across table cells.
function wrapSelection(opening, closing, stripBlock)
{
    const selection = selectionRange();
    if (!document.body || !selection || selection.collapsed || selectionType() === 'None'
        || !document.body.contains(selection.commonAncestorContainer))
        return false;
    const marked = markInnermostOpening(opening);
    if (marked === null)
        return false;
    const wrapper = markupFragment(marked + closing);
    const inner = wrapper.querySelector('[' + INNER_MARKER + ']');
    if (!inner || !holdsMovedNodes(inner))
        return false;
    const range = wrappedRange(stripBlock);
    if ((inner.closest('a') && touchesLink(range))
        || TABLE_STRUCTURE.has(elementName(range.commonAncestorContainer)))
        return false;
    inner.removeAttribute(INNER_MARKER);
    let linkEnd = null;
    recordEditStep(() => {
        moveIntoWrapper(range, wrapper, inner);
        linkEnd = holdLinkEnd(inner);
    });
    if (inner.isConnected)
        selectInside(inner, inner, linkEnd);
    return true;
}
