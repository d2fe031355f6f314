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

function selectInside(first, last)
{
    const range = document.createRange();
    range.setStart(first, 0);
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
    insertAtSelection(fragment);
    const first = found.find(element => element.isConnected);
    if (!first)
        return;
    if (CONTROL_ELEMENTS.has(elementName(first)))
        selectObject(first);
    else
        selectInside(first, found.filter(element => element.isConnected).pop());
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
