// Undo for the surface's own edits. They are made through the DOM, which the
// engine's undo history does not see, so each is recorded as the mutations
// it made and taken back by reversing them. The engine's own edits (typing,
// its formatting commands) stay in its history; one list keeps the order of
// the two kinds, so that Undo always takes back the latest edit.

// Older steps are forgotten beyond this many.
const MAX_EDIT_STEPS = 100;
const RECORDED_MUTATIONS = {
    subtree: true, childList: true, attributes: true, attributeOldValue: true,
    characterData: true, characterDataOldValue: true,
};

// Own steps: {records, selection, after}; the engine's edits since the last
// own step: one 'engine' entry.
const editSteps = [];
// An own step was taken back since the last edit: the engine's redo history
// no longer fits the page.
let redoBlocked = false;

// A fingerprint of the body's markup: the steps keep it rather than a copy,
// which on a long page would hold the page's text again for every step.
function bodyState()
{
    const markup = document.body ? document.body.innerHTML : '';
    let hash = 0x811c9dc5;
    for (let i = 0; i < markup.length; ++i)
        hash = Math.imul(hash ^ markup.charCodeAt(i), 0x01000193);
    return markup.length + ':' + (hash >>> 0);
}

function savedSelection()
{
    const range = selectionRange();
    return range ? [range.startContainer, range.startOffset, range.endContainer, range.endOffset]
                 : null;
}

function restoreSelection(saved)
{
    if (!saved || !saved[0].isConnected || !saved[2].isConnected)
        return;
    const range = document.createRange();
    range.setStart(saved[0], saved[1]);
    range.setEnd(saved[2], saved[3]);
    const selection = getSelection();
    selection.removeAllRanges();
    selection.addRange(range);
}

// Runs `edit`, which changes the document through the DOM, as one step.
// An edit that fails half-way is taken back: the page stays as it was.
function recordEditStep(edit)
{
    const selection = savedSelection();
    const observer = new MutationObserver(() => {});
    observer.observe(document, RECORDED_MUTATIONS);
    let records;
    try {
        edit();
    } catch (error) {
        for (const record of observer.takeRecords().reverse())
            revertRecord(record);
        throw error;
    } finally {
        records = observer.takeRecords();
        observer.disconnect();
    }
    if (records.length === 0)
        return;
    redoBlocked = false;
    editSteps.push({records, selection, after: bodyState()});
    if (editSteps.length > MAX_EDIT_STEPS)
        editSteps.shift();
}

function forgetEditSteps()
{
    editSteps.length = 0;
    redoBlocked = false;
}

function revertRecord(record)
{
    if (record.type === 'characterData') {
        record.target.data = record.oldValue;
    } else if (record.type === 'attributes') {
        if (record.oldValue === null)
            record.target.removeAttributeNS(record.attributeNamespace, record.attributeName);
        else
            record.target.setAttributeNS(record.attributeNamespace, record.attributeName,
                                         record.oldValue);
    } else {
        for (const node of [...record.addedNodes].reverse()) {
            if (node.parentNode === record.target)
                record.target.removeChild(node);
        }
        for (const node of record.removedNodes)
            record.target.insertBefore(node, record.nextSibling);
    }
}

function lastStep()
{
    return editSteps.length ? editSteps[editSteps.length - 1] : null;
}

function noteEngineEdit(event)
{
    if (event.inputType && event.inputType.startsWith('history'))
        return;
    redoBlocked = false;
    if (editSteps.length && lastStep() !== 'engine')
        editSteps.push('engine');
}

// The engine's undo has taken back all of its edits made after the last own
// step once the body is as that step left it.
function settleEngineUndo()
{
    const below = editSteps[editSteps.length - 2];
    if (lastStep() === 'engine' && below && bodyState() === below.after)
        editSteps.pop();
}

function undoOwnStep()
{
    const step = editSteps.pop();
    for (const record of [...step.records].reverse())
        revertRecord(record);
    restoreSelection(step.selection);
    redoBlocked = true;
}

function undoLatestEdit()
{
    const step = lastStep();
    if (step && step !== 'engine') {
        undoOwnStep();
        return;
    }
    document.execCommand('undo', false, null);
    settleEngineUndo();
}

function canUndo()
{
    const step = lastStep();
    return (step !== null && step !== 'engine') || document.queryCommandEnabled('undo');
}

// Undo typed on the keyboard goes to the engine first: an own step on top
// is taken back here instead. Redo would replay the engine's edits on a page
// they no longer fit once an own step has been taken back: it waits for the
// next edit.
function interceptKeyboardUndo(event)
{
    if (event.inputType === 'historyRedo' && redoBlocked) {
        event.preventDefault();
        return;
    }
    if (event.inputType !== 'historyUndo')
        return;
    // The engine may report its previous undo only after this one arrives.
    settleEngineUndo();
    const step = lastStep();
    if (step && step !== 'engine') {
        event.preventDefault();
        undoOwnStep();
    }
}

// The engine fires no undo event of its own when its history is empty, so
// the undo keys are watched too: an own step may still be there to take back.
function interceptUndoKeys(event)
{
    const letter = event.key.toLowerCase();
    if (!(event.ctrlKey || event.metaKey) || event.altKey)
        return;
    if (letter === 'z' && !event.shiftKey) {
        settleEngineUndo();
        const step = lastStep();
        if (step && step !== 'engine') {
            event.preventDefault();
            undoOwnStep();
        }
    } else if ((letter === 'y' || (letter === 'z' && event.shiftKey)) && redoBlocked) {
        event.preventDefault();
    }
}

function watchEngineEdits()
{
    document.addEventListener('keydown', interceptUndoKeys, true);
    document.addEventListener('beforeinput', interceptKeyboardUndo, true);
    document.addEventListener('input', noteEngineEdit, true);
    // Only the engine's undo can bring the body back to an own step's state:
    // other input leaves the comparison (a copy of the whole body) unmade.
    document.addEventListener('input', event => {
        if (event.inputType === 'historyUndo')
            settleEngineUndo();
    }, true);
}
