// Table commands. They act on the cell holding the caret and on the cells of
// the same table that the selection touches. Column positions count each
// cell's column span; new cells hold a non-breaking space so that they show.

function caretCell()
{
    const selection = getSelection();
    if (!selection.rangeCount)
        return null;
    const node = selection.focusNode;
    const element = node.nodeType === Node.ELEMENT_NODE ? node : node.parentElement;
    return element ? element.closest('td,th') : null;
}

function selectedCells(cell, table)
{
    const range = selectionRange();
    if (!range || range.collapsed)
        return [cell];
    const cells = [];
    for (const row of table.rows) {
        for (const candidate of row.cells) {
            if (range.intersectsNode(candidate))
                cells.push(candidate);
        }
    }
    return cells.length ? cells : [cell];
}

function columnStart(cell)
{
    let column = 0;
    for (const sibling of cell.parentElement.cells) {
        if (sibling === cell)
            return column;
        column += sibling.colSpan;
    }
    return column;
}

// A copy of the model's tag (without id and spans) holding a blank.
function newCellLike(model, tag)
{
    const cell = document.createElement(model ? model.tagName : tag || 'td');
    if (model) {
        for (const attribute of model.attributes) {
            if (!['id', 'colspan', 'rowspan'].includes(attribute.name))
                cell.setAttribute(attribute.name, attribute.value);
        }
    }
    cell.textContent = '\u00a0';
    return cell;
}

function setSpan(cell, span)
{
    if (span > 1)
        cell.colSpan = span;
    else
        cell.removeAttribute('colspan');
}

function insertRow(cell)
{
    const row = cell.parentElement;
    const fresh = document.createElement('tr');
    for (const attribute of row.attributes) {
        if (attribute.name !== 'id')
            fresh.setAttribute(attribute.name, attribute.value);
    }
    for (const model of row.cells) {
        const added = newCellLike(model);
        setSpan(added, model.colSpan);
        fresh.appendChild(added);
    }
    row.after(fresh);
}

function insertColumn(cell, cells, table)
{
    const at = columnStart(cell) + cell.colSpan;
    for (const row of table.rows) {
        let column = 0;
        let previous = null;
        let placed = false;
        for (const current of [...row.cells]) {
            if (column === at) {
                current.before(newCellLike(previous || current));
                placed = true;
            } else if (column < at && at < column + current.colSpan) {
                current.colSpan += 1;
                placed = true;
            }
            if (placed)
                break;
            column += current.colSpan;
            previous = current;
        }
        if (!placed)
            row.appendChild(newCellLike(previous, 'td'));
    }
}

function insertCell(cell)
{
    cell.after(newCellLike(cell));
}

function deleteCells(cell, cells)
{
    for (const doomed of cells)
        doomed.remove();
}

function deleteColumns(cell, cells, table)
{
    const from = Math.min(...cells.map(columnStart));
    const to = Math.max(...cells.map(c => columnStart(c) + c.colSpan));
    for (const row of table.rows) {
        let column = 0;
        for (const current of [...row.cells]) {
            const start = column;
            column += current.colSpan;
            const overlap = Math.min(column, to) - Math.max(start, from);
            if (overlap >= current.colSpan)
                current.remove();
            else if (overlap > 0)
                setSpan(current, current.colSpan - overlap);
        }
    }
}

function deleteRows(cell, cells)
{
    for (const row of new Set(cells.map(c => c.parentElement)))
        row.remove();
}

function isBlankCell(cell)
{
    return /^[\s\u00a0]*$/.test(cell.textContent) && !cell.querySelector('img,input,textarea,'
        + 'select,button,table,hr,iframe,object,embed,marquee');
}

// The selected cells of the caret's row become its first one: the spans add
// up and the contents follow one another, blank cells adding nothing.
function mergeCells(cell, cells)
{
    const row = cell.parentElement;
    const merged = cells.filter(c => c.parentElement === row)
        .sort((a, b) => a.cellIndex - b.cellIndex);
    if (merged.length < 2)
        return;
    const first = merged[0];
    let span = first.colSpan;
    for (const other of merged.slice(1)) {
        span += other.colSpan;
        if (isBlankCell(first))
            first.replaceChildren(...other.childNodes);
        else if (!isBlankCell(other))
            first.append(' ', ...other.childNodes);
        other.remove();
    }
    setSpan(first, span);
}

function splitCell(cell)
{
    const span = cell.colSpan;
    if (span < 2)
        return;
    const kept = Math.ceil(span / 2);
    setSpan(cell, kept);
    const added = newCellLike(cell);
    setSpan(added, span - kept);
    cell.after(added);
}

const TABLE_COMMANDS = {
    5005: deleteCells,
    5006: deleteColumns,
    5007: deleteRows,
    5019: insertCell,
    5020: insertColumn,
    5021: insertRow,
    5029: mergeCells,
    5047: splitCell,
};

function removeEmptyParts(table)
{
    for (const row of [...table.rows]) {
        if (row.cells.length === 0)
            row.remove();
    }
    if (table.rows.length === 0)
        table.remove();
}

// Where the caret goes when its cell is gone: the table's first cell, or
// the table's place when the table is gone too.
function placeCaretAfterTableEdit(cell, table, parent, next)
{
    const selection = getSelection();
    if (cell.isConnected)
        selection.collapse(cell, 0);
    else if (table.isConnected && table.rows.length && table.rows[0].cells.length)
        selection.collapse(table.rows[0].cells[0], 0);
    else if (parent && parent.isConnected)
        selection.collapse(parent, next && next.parentNode === parent
            ? childIndex(next) : parent.childNodes.length);
}

function runTableCommand(id)
{
    const cell = caretCell();
    const command = TABLE_COMMANDS[id];
    if (!cell || !command)
        return;
    const table = cell.closest('table');
    const parent = table.parentNode;
    const next = table.nextSibling;
    const cells = selectedCells(cell, table);
    const range = selectionRange();
    const spread = range !== null && !range.collapsed;
    command(cell, cells, table);
    removeEmptyParts(table);
    if (!cell.isConnected || spread)
        placeCaretAfterTableEdit(cell, table, parent, next);
}
