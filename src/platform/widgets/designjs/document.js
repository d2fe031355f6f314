// The document as a whole: editing mode, change tracking and the detail
// display that outlines blocks and borderless tables.

const DISPLAY_STYLES = {
    details: 'p,div,h1,h2,h3,h4,h5,h6,ul,ol,li,dl,blockquote,pre,form,address,center,fieldset'
        + '{outline:1px dotted #a0a0a0;outline-offset:-1px}',
    borders: 'table:not([border]),table[border="0"],table:not([border]) td,'
        + 'table[border="0"] td,table:not([border]) th,table[border="0"] th'
        + '{outline:1px dashed #a0a0a0;outline-offset:-1px}',
    // Big pages: the body's blocks out of sight are laid out only when
    // scrolled near, so the page shows without laying out all of it first.
    // Wrappers (div, center, form) are left alone: what they hold is often
    // floated or positioned across blocks.
    lazy: 'body>:is(p,h1,h2,h3,h4,h5,h6,ul,ol,dl,table,pre,blockquote,address)'
        + '{content-visibility:auto;contain-intrinsic-size:auto 2em}',
};

// Constructed style sheets: they are no part of the document, so they are
// neither written nor a change.
const displaySheets = {};
let changedSinceLoad = false;
let changeObserver = null;
// The user typed before the mutation observer existed: which nodes changed
// is unknown, so the whole document is written.
let editedBeforeWatching = false;

function noteMutations(records)
{
    if (records.length)
        changedSinceLoad = true;
    for (const record of records)
        trackMutation(record);
}

function documentChanged()
{
    if (changeObserver)
        noteMutations(changeObserver.takeRecords());
    return changedSinceLoad;
}

function setDisplay(kind, on)
{
    if (!DISPLAY_STYLES[kind] || Boolean(displaySheets[kind]) === Boolean(on))
        return;
    if (on) {
        displaySheets[kind] = new CSSStyleSheet();
        displaySheets[kind].replaceSync(DISPLAY_STYLES[kind]);
    } else {
        delete displaySheets[kind];
    }
    document.adoptedStyleSheets = Object.values(displaySheets);
}

// Edits the user makes while a big page is still being parsed (its first
// part is shown and editable) come before the mutation observer exists:
// the engine's input events catch them, parser insertions raise none.
function noteUserInput()
{
    changedSinceLoad = true;
    if (!changeObserver)
        editedBeforeWatching = true;
}

// Runs as the document is created, before any of it is parsed, so that it
// is laid out only once, editable and with the detail display wanted, and
// every edit of the user's is tracked from the first.
function createDocument(options)
{
    document.addEventListener('input', noteUserInput, true);
    watchReleases();
    document.designMode = 'on';
    setDisplay('details', options.details);
    setDisplay('borders', options.borders);
    setDisplay('lazy', options.lazy);
}

// Runs once the document is parsed: from here on every mutation is a change.
function prepareDocument()
{
    if (!changeObserver) {
        changeObserver = new MutationObserver(noteMutations);
        changeObserver.observe(document, {
            subtree: true, childList: true, attributes: true, characterData: true,
        });
        watchEngineEdits();
    }
    const selection = getSelection();
    if (document.body && selection.rangeCount === 0)
        selection.collapse(document.body, 0);
}

function documentHtmlIfChanged(sourceDoctype)
{
    return documentChanged() ? serialiseDocument(sourceDoctype) : null;
}

function bodyColour()
{
    return document.body ? document.body.getAttribute('bgcolor') || '' : '';
}

function setBodyColour(colour)
{
    if (document.body)
        document.body.setAttribute('bgcolor', colour);
}

function bodyHtml()
{
    return document.body ? serialiseContent(document.body) : '';
}

function activeElementHtml()
{
    const active = document.activeElement;
    return active ? serialiseContent(active) : '';
}
