// Pasting with a selection inside the pasted markup, and the caret keys of
// the editing recipes.

const INNER_MARKER = 'data-inkpress-inner';

function markInnermostOpening(before)
{
    const tags = /<!--[\s\S]*?-->|<(\/?)([A-Za-z][^\s\/>]*)((?:[^>"']|"[^"]*"|'[^']*')*)>/g;
    const open = [];
    let match;
    while ((match = tags.exec(before)) !== null) {
        if (!match[2])
            continue;
        const name = match[2].toUpperCase();
        if (match[1]) {
            const at = open.map(tag => tag.name).lastIndexOf(name);
            if (at >= 0)
                open.length = at;
        } else if (!VOID_ELEMENTS.has(name)) {
            open.push({name, end: match.index + match[0].length - 1});
        }
    }
    if (open.length === 0)
        return null;
    const at = open[open.length - 1].end;
    return before.slice(0, at) + ' ' + INNER_MARKER + before.slice(at);
}

// Selects from the start of `first` to the end of `last`, or to just before
// `end` where that is inside `last`.
function selectInside(first, last, end = null)
{
    const range = document.createRange();
    range.setStart(first, 0);
    if (end && end.parentNode === last)
        range.setEndBefore(end);
    else
        range.setEnd(last, last.childNodes.length);
    const selection = getSelection();
    selection.removeAllRanges();
    selection.addRange(range);
}

function selectObject(element)
{
    const range = document.createRange();
    range.selectNode(element);
    const selection = getSelection();
    selection.removeAllRanges();
    selection.addRange(range);
}

// The text nodes of an empty inner: an invisible placeholder that gives the
// caret a place inside the new element, so that what the user types next
// goes there. It is never written out.
function holdPlaceholders(element)
{
    for (const child of element.childNodes) {
        if (child.nodeType === Node.TEXT_NODE && child.data === PLACEHOLDER)
            placeholderTexts.add(child);
    }
}

// The engine types at the very end of a link outside it, so text typed over
// a link's selected text would leave only its first letter linked. An
// invisible placeholder at the end of the link's innermost element keeps the
// caret short of that end. Gives the placeholder, or null for no link.
function holdLinkEnd(element)
{
    if (!element.closest('a'))
        return null;
    const end = document.createTextNode(PLACEHOLDER);
    placeholderTexts.add(end);
    element.appendChild(end);
    return end;
}

// `before` opens no element: the three parts are parsed apart and what
// `inner` became is selected from its first node to its last.
function pasteSelectingLoose(before, inner, after)
{
    const fragment = markupFragment(before);
    const innerFragment = markupFragment(inner);
    const innerNodes = [...innerFragment.childNodes];
    fragment.appendChild(innerFragment);
    fragment.appendChild(markupFragment(after));
    insertAtSelection(fragment);
    if (innerNodes.length === 0 || !innerNodes[0].isConnected)
        return;
    const range = document.createRange();
    range.setStartBefore(innerNodes[0]);
    range.setEndAfter(innerNodes[innerNodes.length - 1]);
    const selection = getSelection();
    selection.removeAllRanges();
    selection.addRange(range);
}

// Pastes before + inner + after and selects what `inner` became. The
// innermost element that `before` opens is found by a marker attribute in
// the parsed markup, taken off before the markup goes in. A form field
// made that way (a text area, a list) is selected as an object: its
// content is no text of the page.
function pasteSelectingInner(before, inner, after)
{
    const marked = markInnermostOpening(before);
    if (marked === null) {
        pasteSelectingLoose(before, inner, after);
        return;
    }
    const fragment = markupFragment(marked + (inner === '' ? PLACEHOLDER : inner) + after);
    const found = [...fragment.querySelectorAll('[' + INNER_MARKER + ']')];
    for (const element of found)
        element.removeAttribute(INNER_MARKER);
    if (found.length && inner === '')
        holdPlaceholders(found[0]);
    const linkEnd = found.length ? holdLinkEnd(found[found.length - 1]) : null;
    insertAtSelection(fragment);
    const first = found.find(element => element.isConnected);
    if (!first)
        return;
    if (CONTROL_ELEMENTS.has(elementName(first)))
        selectObject(first);
    else
        selectInside(first, found.filter(element => element.isConnected).pop(), linkEnd);
}

// The engine puts the caret beside an image that is clicked; the program
// selects it as one object, as Shift with an arrow key beside it does, so
// that what is selected is the image.
function selectClickedImage(event)
{
    if (event.button === 0 && elementName(event.target) === 'IMG' && event.target.isContentEditable)
        selectObject(event.target);
}

// Releases of the left button and of keys the page has handled since the
// program last asked: the program tells its listeners of a click or a key
// only once the page has seen its release, so that what they read is the
// selection the click or the key made.
const releasesSeen = {left: 0, key: 0};

function countLeftRelease(event)
{
    if (event.button === 0)
        releasesSeen.left++;
}

function countKeyRelease()
{
    releasesSeen.key++;
}

function takeReleases(kind)
{
    if (!(kind in releasesSeen))
        return 0;
    const seen = releasesSeen[kind];
    releasesSeen[kind] = 0;
    return seen;
}

function watchReleases()
{
    document.addEventListener('mouseup', countLeftRelease, true);
    document.addEventListener('keyup', countKeyRelease, true);
    document.addEventListener('click', selectClickedImage, true);
}

const KEY_ACTIONS = {
    Right: selection => {
        if (selection.isCollapsed)
            selection.modify('move', 'forward', 'character');
        else
            selection.collapseToEnd();
    },
    Left: selection => {
        if (!selection.isCollapsed)
            selection.collapse(selection.focusNode, selection.focusOffset);
        selection.modify('move', 'backward', 'character');
    },
    ShiftLeft: selection => selection.modify('extend', 'backward', 'character'),
    ShiftRight: selection => selection.modify('extend', 'forward', 'character'),
    Up: selection => selection.modify('move', 'backward', 'line'),
    Home: selection => selection.modify('move', 'backward', 'lineboundary'),
    CtrlHome: selection => selection.collapse(document.body, 0),
    ShiftCtrlEnd: selection => selection.extend(document.body, document.body.childNodes.length),
    // Moves the focus on in the window; the document is left as it is.
    Tab: () => {},
};

function applyKeys(names)
{
    if (!document.body)
        return;
    const selection = getSelection();
    if (selection.rangeCount === 0)
        selection.collapse(document.body, 0);
    for (const name of names) {
        const action = KEY_ACTIONS[name];
        if (action)
            action(selection);
    }
}
