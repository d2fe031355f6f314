// Putting markup in place of the selection through the DOM itself. The
// engine's own insertion normalises what it is given (it moves or drops
// elements that do not fit where the caret is, and turns the plain spaces
// beside the selection into non-breaking ones); here the selected content
// is taken out, the new nodes go exactly where it was, and a paragraph that
// cannot hold them is split around them. Nothing else of the page changes.

// Elements the parser never leaves inside a paragraph: it ends the
// paragraph before them.
const PARAGRAPH_BREAKERS = ['ADDRESS', 'ARTICLE', 'ASIDE', 'BLOCKQUOTE', 'CENTER', 'DETAILS',
    'DIALOG', 'DIR', 'DIV', 'DL', 'FIELDSET', 'FIGCAPTION', 'FIGURE', 'FOOTER', 'FORM', 'H1',
    'H2', 'H3', 'H4', 'H5', 'H6', 'HEADER', 'HGROUP', 'HR', 'MAIN', 'MENU', 'NAV', 'OL', 'P',
    'PRE', 'SECTION', 'SUMMARY', 'TABLE', 'UL', 'LISTING', 'XMP', 'PLAINTEXT'].join(',');

// Parsed as the body would parse it: entities and CR LF as they are read
// from a page.
function markupFragment(html)
{
    const holder = document.createElement('template');
    holder.innerHTML = html;
    return holder.content;
}

function nearestParagraph(node)
{
    for (let current = node; current && current !== document.body; current = current.parentNode) {
        if (elementName(current) === 'P')
            return current;
    }
    return null;
}

// Splits `block` at the range's start: what follows goes into a copy of the
// block (with copies of the inline elements around the point) placed right
// after it. Gives the copy, the elements the split cut in two (they stay in
// the block, emptied of what followed the point) and their copies.
function splitBlock(range, block)
{
    const cut = [];
    for (let node = range.startContainer; node && node !== block; node = node.parentNode) {
        if (node.nodeType === Node.ELEMENT_NODE)
            cut.unshift(node);
    }
    const rest = document.createRange();
    rest.setStart(range.startContainer, range.startOffset);
    rest.setEnd(block, block.childNodes.length);
    const second = block.cloneNode(false);
    // An id names one element of the page.
    second.removeAttribute('id');
    second.appendChild(rest.extractContents());
    block.after(second);
    // The copies open the second half, outermost first.
    const copies = new Set();
    let copy = second.firstChild;
    for (const element of cut) {
        if (!copy || copy.nodeType !== Node.ELEMENT_NODE || copy.tagName !== element.tagName)
            break;
        copies.add(copy);
        copy = copy.firstChild;
    }
    return {second, originals: new Set(cut), copies};
}

// An id, and an anchor's name, name one element of the page: where the
// element the split cut stays, its copy goes without them (and a copy of a
// named anchor, then nothing, goes altogether, leaving its content).
function forgetCopiedNames(copies)
{
    for (const copy of copies) {
        copy.removeAttribute('id');
        if (elementName(copy) !== 'A')
            continue;
        copy.removeAttribute('name');
        if (copy.attributes.length === 0)
            copy.replaceWith(...copy.childNodes);
    }
}

// A half of a split block that shows nothing and holds no element but
// those the split cut in two: it holds nothing of the user's that the other
// half does not hold too.
function isEmptiedHalf(half, cut)
{
    return LAYOUT_WHITESPACE.test(half.textContent)
        && [...half.querySelectorAll('*')].every(element => cut.has(element));
}

// The parser's reading of a lone "<P>" in running text: it starts a
// paragraph there. Inside a paragraph that is the paragraph split at the
// point; elsewhere the inline text that follows goes into the new one.
function startParagraph(range, paragraph)
{
    const enclosing = nearestParagraph(range.startContainer);
    if (enclosing) {
        const {second, copies} = splitBlock(range, enclosing);
        forgetCopiedNames(copies);
        return {nodes: [second], lineStart: second};
    }
    range.insertNode(paragraph);
    for (let next = paragraph.nextSibling; next && !isLineElement(next); next = paragraph.nextSibling)
        paragraph.appendChild(next);
    return {nodes: [paragraph], lineStart: paragraph};
}

function isLoneEmptyParagraph(fragment)
{
    return fragment.childNodes.length === 1 && elementName(fragment.firstChild) === 'P'
        && fragment.firstChild.childNodes.length === 0;
}

const SHOWN_OBJECTS = 'img,input,hr,br,textarea,select,button,table,iframe,object,embed,marquee';

function showsNothing(node)
{
    return LAYOUT_WHITESPACE.test(node.textContent) && node.querySelector(SHOWN_OBJECTS) === null;
}

// Whether the part of the paragraph on one side of the point shows
// nothing and holds no element but those around the point: splitting there
// would leave that side an emptied half.
function nothingBeside(paragraph, container, offset, after)
{
    const side = document.createRange();
    side.selectNodeContents(paragraph);
    if (after)
        side.setStart(container, offset);
    else
        side.setEnd(container, offset);
    if (!LAYOUT_WHITESPACE.test(side.toString()))
        return false;
    const walker = document.createTreeWalker(paragraph, NodeFilter.SHOW_ELEMENT);
    while (walker.nextNode()) {
        const element = walker.currentNode;
        // The elements in document order: past the point, the side before it is done.
        if (!after && side.comparePoint(element, 0) > 0)
            break;
        if (side.intersectsNode(element) && !element.contains(container))
            return false;
    }
    return true;
}

// Inserts the fragment at the (collapsed) range. Gives the inserted top
// nodes and, where the insertion started a new line, the block the caret
// belongs in. Block content inside a paragraph splits it; halves left
// empty go, except the second half after an insertion that shows nothing
// (Break Line): it is the new line the caret goes to.
function insertFragment(range, fragment)
{
    const nodes = [...fragment.childNodes];
    if (nodes.length === 0)
        return {nodes, lineStart: null};
    if (isLoneEmptyParagraph(fragment))
        return startParagraph(range, fragment.firstChild);
    const paragraph = fragment.querySelector(PARAGRAPH_BREAKERS)
        ? nearestParagraph(range.startContainer) : null;
    if (!paragraph) {
        range.insertNode(fragment);
        return {nodes, lineStart: null};
    }
    // At the start of a paragraph the new blocks go before it: the
    // paragraph stays the page's own element, its tags as written.
    if (nothingBeside(paragraph, range.startContainer, range.startOffset, false)
        && !nothingBeside(paragraph, range.startContainer, range.startOffset, true)) {
        const newLine = showsNothing(fragment);
        paragraph.before(fragment);
        return {nodes, lineStart: newLine ? paragraph : null};
    }
    const {second, originals, copies} = splitBlock(range, paragraph);
    const newLine = showsNothing(fragment);
    paragraph.after(fragment);
    // Where both halves come out empty, the first keeps the elements the
    // split cut (a named anchor the caret was in) unless the second stays.
    const secondEmptied = isEmptiedHalf(second, copies);
    const secondGoes = !newLine && secondEmptied;
    if (isEmptiedHalf(paragraph, originals) && !(secondGoes && originals.size)) {
        paragraph.remove();
    } else {
        forgetCopiedNames(copies);
        // A new line holds nothing of the line before it.
        if (newLine && secondEmptied)
            second.replaceChildren();
    }
    if (newLine)
        return {nodes, lineStart: second};
    if (secondGoes)
        second.remove();
    return {nodes, lineStart: null};
}

function placeCaret(container, offset)
{
    const range = document.createRange();
    range.setStart(container, offset);
    const selection = getSelection();
    selection.removeAllRanges();
    selection.addRange(range);
}

function placeCaretAfter(node)
{
    placeCaret(node.parentNode, childIndex(node) + 1);
}

// The selection's range, shrunk to what it shows, so that a selection of a
// whole paragraph keeps the paragraph and replaces only its content.
function insertionRange()
{
    const range = selectionRange();
    if (!range) {
        const start = document.createRange();
        start.setStart(document.body, 0);
        return start;
    }
    return range.collapsed ? range.cloneRange() : widenOverEdges(shownRange(range));
}

function canWidenOver(node, other)
{
    return node !== document.body && !isLineElement(node)
        && !SELECTION_LIMITS.has(elementName(node)) && !node.contains(other);
}

function nodeLength(node)
{
    return node.nodeType === Node.TEXT_NODE ? node.data.length : node.childNodes.length;
}

// A selection that starts at the very start of an inline element (or ends
// at its very end) takes in the element's tags, so that taking the
// selection out leaves no empty element behind.
function widenOverEdges(range)
{
    while (range.startOffset === 0 && canWidenOver(range.startContainer, range.endContainer))
        range.setStartBefore(range.startContainer);
    while (range.endOffset === nodeLength(range.endContainer)
           && canWidenOver(range.endContainer, range.startContainer))
        range.setEndAfter(range.endContainer);
    return range;
}

// Replaces the selection by `fragment` as one undoable step and returns the
// inserted top nodes (empty when nothing went in).
function insertAtSelection(fragment)
{
    if (!document.body)
        return [];
    let nodes = [];
    recordEditStep(() => {
        const range = insertionRange();
        range.deleteContents();
        const inserted = insertFragment(range, fragment);
        nodes = inserted.nodes;
        if (inserted.lineStart)
            placeCaret(inserted.lineStart, 0);
        else if (nodes.length)
            placeCaretAfter(nodes[nodes.length - 1]);
    });
    return nodes;
}

function pasteMarkup(html)
{
    if (html === '')
        deleteSelection();
    else
        insertAtSelection(markupFragment(html));
}
