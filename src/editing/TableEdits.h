#pragma once
#include <QString>
#include <optional>

namespace ink {

// The Table menu's Code-view commands. The program keeps no table model:
// each command cuts the selected text at the upper-case tag texts "<TR>",
// "</TR>", "<TD" and "</TD>" (exactly, case-sensitively) and rebuilds it. The
// layout they expect is the one this program writes: every row on a line of
// its own, every cell closed by "</TD>". Each returns the text that replaces
// the selection, or nothing when the selection lacks what the command needs
// (the page then stays as it is).
//
// A table inside a selected cell is carried along as it is: the commands
// work on the rows and cells of the selection's own table (see
// TableNesting.h), and leave a selection that starts or ends inside a nested
// table unchanged.

// A new row after the last "</TR>" (in front of the selection when there is
// none; a selection without "<TR>" or "</TR>" holds no row and stays), with as many cells as the selection's last row has "<TD", each a
// copy of that row's first start tag holding "&nbsp;".
std::optional<QString> insertTableRow(const QString& selected);

// Removes the selection's last row, from its "<TR>" to its "</TR>", and the
// line break in front of it when there is one.
std::optional<QString> deleteTableRow(const QString& selected);

// A line break and a copy of the first cell (empty) before every "</TR>".
std::optional<QString> insertTableColumn(const QString& selected);

// Removes the last cell of every selected row, with the line break before
// it when there is one. A row without an upper-case "<TD" stays as it is.
std::optional<QString> deleteTableColumn(const QString& selected);

// The fixed empty cell of Insert Cell.
QString insertTableCell();

// Delete Cell: the empty text when the selection holds a "<TD".
std::optional<QString> deleteTableCell(const QString& selected);

// The first cell keeps its start tag and content; the texts of the following
// cells follow it without tags, each followed by a blank, and one "</TD>"
// closes the merged cell.
std::optional<QString> mergeTableCells(const QString& selected);

// A new empty cell with the first cell's attributes right after that cell;
// everything else of the selection is kept as it was.
std::optional<QString> splitTableCell(const QString& selected);

// The side panel's quick table maker.
struct QuickTable {
    int columns = 1;
    int rows = 1;
    int spacing = 0;
    int padding = 0;
    bool border = false;
    bool fixedWidth = false; // "Static": every cell 1% wide
};
QString quickTableMarkup(const QuickTable& table);

}
