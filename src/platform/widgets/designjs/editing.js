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

// Characters the markup shows, roughly as the caret counts them.
function shownLength(html)
{
    return shownText(html).replace(/[ \t\n\r\f]+/g, ' ').length;
}

function selectBackwards(skip, take)
{
    const selection = getSelection();
    for (let i = 0; i < skip; ++i)
        selection.modify('move', 'backward', 'character');
    for (let i = 0; i < take; ++i)
        selection.modify('extend', 'backward', 'character');
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

// Pastes before + inner + after and selects what `inner` became. The
// innermost element that `before` opens carries a marker attribute through
// the paste, so the selection is found in the document, not counted out.
// An empty inner becomes an invisible placeholder, selected: the engine
// misplaces empty elements of pasted markup and puts no caret inside one;
// this way what the user types next goes into the element. The placeholder
// is never written out.
function pasteSelectingInner(before, inner, after)
{
    for (const stale of document.querySelectorAll('[' + INNER_MARKER + ']'))
        stale.removeAttribute(INNER_MARKER);
    const marked = markInnermostOpening(before);
    if (marked !== null)
        pasteKeepingSpaces(marked + (inner === '' ? PLACEHOLDER : inner) + after);
    else
        pasteKeepingSpaces(before + inner + after);
    const found = marked === null ? [] : [...document.querySelectorAll('[' + INNER_MARKER + ']')];
    if (found.length === 0) {
        selectBackwards(shownLength(after), shownLength(inner));
        return;
    }
    for (const element of found)
        element.removeAttribute(INNER_MARKER);
    if (inner === '') {
        for (const child of found[0].childNodes) {
            if (child.nodeType === Node.TEXT_NODE && child.data === PLACEHOLDER)
                placeholderTexts.add(child);
        }
    }
    selectInside(found[0], found[found.length - 1]);
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
