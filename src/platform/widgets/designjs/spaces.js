// Pasting over a selection makes the engine turn the plain spaces beside it
// into non-breaking ones (they would collapse while the selection is gone).
// Once the markup is in, a plain space shows again, so the spaces that were
// plain are put back: the page keeps the text the user wrote. The text of
// the block around the paste, before and after it, says where they are.

const SPACE_CHARACTERS = ' \t\n\r\f\u00a0';
const BLOCK_SELECTOR = [...LINE_ELEMENTS].join(',');

function isSpace(character)
{
    return character !== undefined && SPACE_CHARACTERS.includes(character);
}

function markupFragment(html)
{
    const holder = document.createElement('template');
    holder.innerHTML = html;
    return holder.content;
}

function shownText(html)
{
    return markupFragment(html).textContent;
}

function blockOf(node)
{
    for (let current = node; current; current = current.parentNode) {
        if (isLineElement(current))
            return current;
    }
    return null;
}

function textBetween(startNode, startOffset, endNode, endOffset)
{
    const range = document.createRange();
    range.setStart(startNode, startOffset);
    range.setEnd(endNode, endOffset);
    return range.toString();
}

// Puts a plain space in place of the character at `index` of the block's text.
function plainSpaceAt(block, index)
{
    const walker = document.createTreeWalker(block, NodeFilter.SHOW_TEXT);
    let passed = 0;
    for (let node = walker.nextNode(); node; node = walker.nextNode()) {
        if (index < passed + node.data.length) {
            node.replaceData(index - passed, 1, ' ');
            return;
        }
        passed += node.data.length;
    }
}

function restoreSpaces(block, before, after, shown)
{
    const text = textBetween(block, 0, block, block.childNodes.length);
    const left = before.length - 1;
    if (before.endsWith(' ') && left >= 1 && !isSpace(before[left - 1]) && !isSpace(shown[0])
        && text[left] === '\u00a0' && text.startsWith(before.slice(0, left)))
        plainSpaceAt(block, left);
    const right = text.length - after.length;
    if (after.startsWith(' ') && after.length >= 2 && !isSpace(after[1])
        && !isSpace(shown[shown.length - 1]) && right >= 0 && text[right] === '\u00a0'
        && text.endsWith(after.slice(1)))
        plainSpaceAt(block, right);
}

// Pastes, then puts back the plain spaces on either side when the paste
// stayed within one block. The caret ends after the pasted markup.
function pasteKeepingSpaces(html)
{
    const range = selectionRange();
    const block = range ? blockOf(range.startContainer) : null;
    const fragment = markupFragment(html);
    if (!block || block !== blockOf(range.endContainer) || fragment.textContent === ''
        || fragment.querySelector(BLOCK_SELECTOR)) {
        pasteMarkup(html);
        return;
    }
    const before = textBetween(block, 0, range.startContainer, range.startOffset);
    const after = textBetween(range.endContainer, range.endOffset, block,
                             block.childNodes.length);
    pasteMarkup(html);
    if (block.isConnected)
        restoreSpaces(block, before, after, fragment.textContent);
}
