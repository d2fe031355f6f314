// The published command set run on the document: editing commands, the value
// getters, the status of each command, and the surface's entry points.

const STATUS_DISABLED = 1;
const STATUS_ENABLED = 3;
const STATUS_LATCHED = 7;

const EDIT_COMMANDS = {
    5000: 'bold', 5018: 'indent', 5023: 'italic', 5024: 'justifyCenter', 5025: 'justifyLeft',
    5026: 'justifyRight', 5031: 'outdent', 5034: 'removeFormat', 5042: 'backColor',
    5044: 'fontName', 5045: 'fontSize', 5046: 'foreColor', 5048: 'underline',
};

// Commands whose state shows as a pressed button.
const LATCHING_COMMANDS = new Set([5000, 5023, 5024, 5025, 5026, 5048]);

// Find, the getters, paste and select all.
const ALWAYS_ENABLED = new Set([5008, 5013, 5014, 5015, 5032, 5035]);

const TABLE_PARTS = new Set(['TD', 'TH', 'TR', 'THEAD', 'TBODY', 'TFOOT', 'CAPTION', 'COLGROUP',
    'COL']);

// "rgb(255, 0, 0)" -> "#FF0000", the form the colour table compares with.
function colourText(value)
{
    const rgb = /^rgba?\(\s*(\d+)\s*,\s*(\d+)\s*,\s*(\d+)/.exec(value);
    if (rgb)
        return '#' + rgb.slice(1, 4).map(n => Number(n).toString(16).padStart(2, '0'))
            .join('').toUpperCase();
    return value.startsWith('#') ? value.toUpperCase() : value;
}

const VALUE_GETTERS = {
    5013: () => document.queryCommandValue('fontName').replace(/["']/g, ''),
    5014: () => document.queryCommandValue('fontSize'),
    5015: () => colourText(document.queryCommandValue('foreColor')),
};

function runEditCommand(id, value)
{
    // Markup rather than style attributes: <FONT>, <B>, <I>, <U>.
    document.execCommand('styleWithCSS', false, false);
    document.execCommand(EDIT_COMMANDS[id], false, value);
}

// The selected object, or else the block holding the caret (a table rather
// than one of its cells).
function absoluteTarget()
{
    if (selectionType() === 'Control')
        return selectedControl();
    const selection = getSelection();
    if (!selection.rangeCount)
        return null;
    const node = selection.focusNode;
    let element = node.nodeType === Node.ELEMENT_NODE ? node : node.parentElement;
    for (; element && element !== document.body; element = element.parentElement) {
        const name = elementName(element);
        if (LINE_ELEMENTS.has(name) && !TABLE_PARTS.has(name))
            return element;
    }
    return null;
}

function toggleAbsolute()
{
    const target = absoluteTarget();
    if (!target)
        return;
    if (target.style.position === 'absolute') {
        target.style.removeProperty('position');
        if (!target.getAttribute('style'))
            target.removeAttribute('style');
    } else {
        target.style.position = 'absolute';
    }
}

function runCommand(id, value)
{
    if (EDIT_COMMANDS[id]) {
        runEditCommand(id, value);
    } else if (VALUE_GETTERS[id]) {
        return String(VALUE_GETTERS[id]() || '');
    } else if (TABLE_COMMANDS[id]) {
        recordEditStep(() => runTableCommand(id));
    } else if (id === 5028) {
        recordEditStep(toggleAbsolute);
    } else if (id === 5035) {
        document.execCommand('selectAll', false, null);
    } else if (id === 5049) {
        undoLatestEdit();
    }
    return '';
}

function enabledStatus(enabled)
{
    return enabled ? STATUS_ENABLED : STATUS_DISABLED;
}

function commandStatus(id)
{
    const name = EDIT_COMMANDS[id];
    if (name) {
        if (LATCHING_COMMANDS.has(id) && document.queryCommandState(name))
            return STATUS_LATCHED;
        return enabledStatus(document.queryCommandEnabled(name));
    }
    if (TABLE_COMMANDS[id])
        return enabledStatus(caretCell() !== null);
    if (id === 5028) {
        const target = absoluteTarget();
        if (target && target.style.position === 'absolute')
            return STATUS_LATCHED;
        return enabledStatus(target !== null);
    }
    if (id === 5002 || id === 5003)
        return enabledStatus(!getSelection().isCollapsed);
    if (id === 5049)
        return enabledStatus(canUndo());
    return ALWAYS_ENABLED.has(id) ? STATUS_ENABLED : 0;
}

// Statuses and getter values in one answer, as text; 0 asks for nothing.
function commandState(statuses, getters)
{
    return [...statuses.map(id => String(id ? commandStatus(id) : 0)),
        ...getters.map(id => (id ? runCommand(id, '') : '') || '')];
}

window.inkSurface = Object.freeze({
    create: createDocument,
    prepare: prepareDocument,
    documentHtml: documentHtmlIfChanged,
    documentChanges,
    patchDocument,
    title: () => document.title,
    bgColor: bodyColour,
    setBgColor: setBodyColour,
    bodyHtml,
    activeHtml: activeElementHtml,
    selectionType,
    selectionHtml,
    controlHtml,
    sourceSelection,
    selectPlace,
    clear: deleteSelection,
    paste: pasteMarkup,
    pasteInner: pasteSelectingInner,
    wrap: wrapSelection,
    keys: applyKeys,
    command: runCommand,
    status: commandStatus,
    state: commandState,
    setDisplay,
    takeReleases,
});
