// Table commands. They act on the cell holding the caret and on the cells of
// the same table that the selection touches. Column positions count each
// cell's column span and the cells that rows above span down into; new
// cells hold a non-breaking space so that they show.

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

// Where each cell of a row group stands: for each row, the cell covering
// each column (its own or one spanning down from a row above), and each
// cell's place: its first and last row and its first column. A row span of
// 0 reaches the group's end.
function rowGroupGrid(row)
{
    const rows = row.parentNode && row.parentNode.rows ? [...row.parentNode.rows] : [row];
    const grid = rows.map(() => []);
    const places = new Map();
    rows.forEach((current, r) => {
        let column = 0;
        for (const cell of current.cells) {
            while (grid[r][column])
                ++column;
            const down = cell.rowSpan === 0 ? rows.length - r : Math.max(1, cell.rowSpan);
            const bottom = Math.min(rows.length, r + down) - 1;
            for (let below = r; below <= bottom; ++below) {
                for (let across = 0; across < Math.max(1, cell.colSpan); ++across)
                    grid[below][column + across] = cell;
            }
            places.set(cell, {top: r, bottom, column});
            column += Math.max(1, cell.colSpan);
        }
    });
    return {rows, grid, places};
}

// Each row group of the table once, in order.
function rowGroups(table)
{
    const firstRows = new Map();
    for (const row of table.rows) {
        if (!firstRows.has(row.parentNode))
            firstRows.set(row.parentNode, row);
    }
    return [...firstRows.values()].map(rowGroupGrid);
}

function columnStart(cell)
{
    const place = rowGroupGrid(cell.parentElement).places.get(cell);
    return place ? place.column : 0;
}

// The new row goes below the caret's cell, after every row that cell
// spans. It gets a cell for each cell of the row above it that ends there;
// a cell that spans on past it spans the new row too, so that every row
// stays as wide as the table.
function insertRow(cell)
{
    const {rows, grid, places} = rowGroupGrid(cell.parentElement);
    if (!places.has(cell))
        return;
    const above = places.get(cell).bottom;
    const fresh = document.createElement('tr');
    for (const attribute of rows[above].attributes) {
        if (attribute.name !== 'id')
            fresh.setAttribute(attribute.name, attribute.value);
    }
    const seen = new Set();
    for (const covering of grid[above]) {
        if (!covering || seen.has(covering))
            continue;
        seen.add(covering);
        if (places.get(covering).bottom > above) {
            if (covering.rowSpan !== 0)
                covering.rowSpan += 1;
            continue;
        }
        const added = newCellLike(covering);
        setSpan(added, covering.colSpan);
        fresh.appendChild(added);
    }
    rows[above].after(fresh);
}

// The new column goes right of the caret's cell. A cell that spans across
// that place grows by one instead; in each other row the new cell goes
// before the first of the row's own cells right of it, so that cells
// spanning down from rows above keep their columns.
function insertColumn(cell, cells, table)
{
    const at = columnStart(cell) + Math.max(1, cell.colSpan);
    for (const {rows, grid, places} of rowGroups(table)) {
        rows.forEach((row, r) => {
            const covering = grid[r][at];
            if (covering && places.get(covering).column < at) {
                if (places.get(covering).top === r)
                    covering.colSpan += 1;
                return;
            }
            const next = [...row.cells].find(own => places.get(own).column >= at);
            const added = newCellLike(grid[r][at - 1] || covering || next, 'td');
            if (next)
                next.before(added);
            else
                row.appendChild(added);
        });
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

// Cells wholly inside the deleted columns go; cells reaching out of them
// lose the deleted part of their span.
function deleteColumns(cell, cells, table)
{
    const from = Math.min(...cells.map(columnStart));
    const to = Math.max(...cells.map(c => columnStart(c) + Math.max(1, c.colSpan)));
    for (const {places} of rowGroups(table)) {
        for (const [current, place] of places) {
            const span = Math.max(1, current.colSpan);
            const overlap = Math.min(place.column + span, to) - Math.max(place.column, from);
            if (overlap >= span)
                current.remove();
            else if (overlap > 0)
                setSpan(current, span - overlap);
        }
    }
}

function setRowSpan(cell, span)
{
    if (span > 1)
        cell.rowSpan = span;
    else
        cell.removeAttribute('rowspan');
}

// The rows of the selected cells go. A cell spanning into a row that goes
// spans one row less; a cell whose first row goes while it spans on below
// moves down to the first row that stays, in its own column, so that its
// content stays and the rows below keep their width.
function deleteRows(cell, cells)
{
    const doomed = new Set(cells.map(c => c.parentElement));
    const groups = new Map();
    for (const row of doomed)
        groups.set(row.parentNode, row);
    for (const row of groups.values()) {
        const {rows, places} = rowGroupGrid(row);
        for (const [current, place] of places) {
            const staying = rows.slice(place.top, place.bottom + 1).filter(r => !doomed.has(r));
            if (staying.length === 0 || staying.length === place.bottom - place.top + 1)
                continue;
            if (current.rowSpan !== 0)
                setRowSpan(current, staying.length);
            if (!doomed.has(rows[place.top]))
                continue;
            const next = [...staying[0].cells].find(own => places.get(own).column > place.column);
            if (next)
                next.before(current);
            else
                staying[0].appendChild(current);
        }
    }
    for (const row of doomed)
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
