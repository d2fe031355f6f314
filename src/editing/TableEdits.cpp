#include "editing/TableEdits.h"

#include "editing/TableNesting.h"

#include <QStringList>

namespace ink {

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString RowOpen = QStringLiteral("<TR>");
const QString RowClose = QStringLiteral("</TR>");
const QString CellOpen = QStringLiteral("<TD");
const QString CellClose = QStringLiteral("</TD>");
const QString EmptyCellEnd = QStringLiteral(">&nbsp;</TD>");

// The text without one line break at its end (CR LF, LF or CR), or the text
// as it is when it does not end in one: rows and cells written on one line
// keep their characters.
QString withoutTrailingLineBreak(const QString& text)
{
    if (text.endsWith(CrLf))
        return text.left(text.size() - 2);
    if (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
        return text.left(text.size() - 1);
    return text;
}

// The characters between the first "<" and the next ">"; nothing when the
// text holds no such tag.
std::optional<QString> firstTagText(const QString& text)
{
    const int open = text.indexOf(QLatin1Char('<'));
    if (open < 0)
        return std::nullopt;
    const int close = text.indexOf(QLatin1Char('>'), open + 1);
    if (close < 0)
        return std::nullopt;
    return text.mid(open + 1, close - open - 1);
}

QString beforeFirst(const QString& text, const QString& separator)
{
    const int at = text.indexOf(separator);
    return at < 0 ? text : text.left(at);
}


std::optional<QString> insertTableRowIn(const QString& selected)
{
    const int lastRow = selected.lastIndexOf(RowOpen);
    const QString lastRowText = lastRow < 0 ? selected : selected.mid(lastRow + RowOpen.size());
    const std::optional<QString> tag = firstTagText(beforeFirst(lastRowText, RowClose));
    // A selection without a row tag holds no row to copy, and a row put in
    // front of it would land inside a row or outside any table.
    const bool holdsRow = selected.contains(RowOpen) || selected.contains(RowClose);
    if (!holdsRow || !tag || tag->isEmpty())
        return std::nullopt;
    const QString cell = QLatin1Char('<') + *tag + EmptyCellEnd;
    const int cells = std::max<int>(1, lastRowText.count(CellOpen));
    QString row = CrLf + RowOpen + CrLf;
    for (int i = 1; i < cells; ++i)
        row += cell + CrLf;
    row += cell + RowClose;
    const int lastClose = selected.lastIndexOf(RowClose);
    const int at = lastClose < 0 ? 0 : lastClose + RowClose.size();
    return selected.left(at) + row + selected.mid(at);
}

std::optional<QString> deleteTableRowIn(const QString& selected)
{
    const int lastRow = selected.lastIndexOf(RowOpen);
    if (lastRow < 0)
        return std::nullopt;
    // The row ends at its own "</TR>"; an unclosed last row runs to the end.
    const int close = selected.indexOf(RowClose, lastRow);
    const QString after = close < 0 ? QString() : selected.mid(close + RowClose.size());
    return withoutTrailingLineBreak(selected.left(lastRow)) + after;
}

std::optional<QString> insertTableColumnIn(const QString& selected)
{
    if (!selected.contains(RowClose))
        return std::nullopt;
    const QString firstCell = beforeFirst(selected, CellClose);
    QString cell = QStringLiteral("<TD>&nbsp;</TD>");
    const int open = firstCell.indexOf(CellOpen);
    if (open >= 0) {
        const QString attrs = beforeFirst(firstCell.mid(open + CellOpen.size()), QStringLiteral(">"));
        cell = CellOpen + attrs + EmptyCellEnd;
    }
    QString result = selected;
    return result.replace(RowClose, CrLf + cell + RowClose);
}

std::optional<QString> deleteTableColumnIn(const QString& selected)
{
    if (!selected.contains(RowOpen))
        return std::nullopt;
    const QStringList rows = selected.split(RowOpen);
    QString result = rows.first();
    result.remove(RowClose);
    for (int i = 1; i < rows.size(); ++i) {
        // A row is rebuilt from its "<TR>" to its "</TR>"; what stood between
        // it and the next row becomes one line break.
        const QString& segment = rows[i];
        const int close = segment.indexOf(RowClose);
        const QString body = close < 0 ? segment : segment.left(close);
        QString row = i == 1 ? RowOpen : CrLf + RowOpen;
        const QStringList cells = body.split(CellOpen);
        if (cells.size() < 2) {
            // No upper-case cell to remove: the row keeps what it holds.
            result += row + (close < 0 ? segment : segment.left(close + RowClose.size()));
            continue;
        }
        row += CrLf;
        for (int j = 1; j < cells.size() - 1; ++j)
            row += CellOpen + cells[j];
        result += withoutTrailingLineBreak(row) + RowClose;
    }
    const QString& last = rows.last();
    const int lastClose = last.lastIndexOf(RowClose);
    return result + (lastClose < 0 ? QString() : last.mid(lastClose + RowClose.size()));
}

std::optional<QString> deleteTableCellIn(const QString& selected)
{
    if (!selected.contains(CellOpen))
        return std::nullopt;
    return QString();
}

std::optional<QString> mergeTableCellsIn(const QString& selected)
{
    const int firstClose = selected.indexOf(CellClose);
    if (firstClose < 0)
        return std::nullopt;
    QString rest = selected.mid(firstClose + CellClose.size());
    rest.remove(CellClose);
    QString texts;
    for (const QString& part : rest.split(QLatin1Char('<'))) {
        const int close = part.indexOf(QLatin1Char('>'));
        if (close < 0)
            continue;
        texts += beforeFirst(part.mid(close + 1), QStringLiteral(">")) + QLatin1Char(' ');
    }
    return selected.left(firstClose) + QLatin1Char(' ') + texts + CellClose;
}

std::optional<QString> splitTableCellIn(const QString& selected)
{
    const int open = selected.indexOf(CellOpen);
    if (open < 0)
        return std::nullopt;
    const int start = open + CellOpen.size();
    const int next = selected.indexOf(CellOpen, start);
    const int end = next < 0 ? selected.size() : next;
    const QString cell = selected.mid(start, end - start);
    const QString attrs = beforeFirst(cell, QStringLiteral(">"));
    // The new cell follows the first cell's end tag, so that a row's end tag
    // or the line break after the cell stays after it.
    const int close = cell.indexOf(CellClose);
    const int at = start + (close < 0 ? cell.size() : close + CellClose.size());
    return selected.left(at) + CellOpen + attrs + EmptyCellEnd + selected.mid(at);
}

// Runs a command on the selection's own rows and cells, with the tables
// nested in them set aside and put back afterwards.
std::optional<QString> onOwnTable(const QString& selected,
                                  std::optional<QString> (*edit)(const QString&))
{
    const std::optional<NestedTables> nested = NestedTables::setAside(selected);
    if (!nested)
        return std::nullopt;
    const std::optional<QString> rebuilt = edit(nested->outerText());
    if (!rebuilt)
        return std::nullopt;
    return nested->restore(*rebuilt);
}

} // namespace

std::optional<QString> insertTableRow(const QString& selected)
{
    return onOwnTable(selected, insertTableRowIn);
}

std::optional<QString> deleteTableRow(const QString& selected)
{
    return onOwnTable(selected, deleteTableRowIn);
}

std::optional<QString> insertTableColumn(const QString& selected)
{
    return onOwnTable(selected, insertTableColumnIn);
}

std::optional<QString> deleteTableColumn(const QString& selected)
{
    return onOwnTable(selected, deleteTableColumnIn);
}

std::optional<QString> deleteTableCell(const QString& selected)
{
    return onOwnTable(selected, deleteTableCellIn);
}

std::optional<QString> mergeTableCells(const QString& selected)
{
    return onOwnTable(selected, mergeTableCellsIn);
}

std::optional<QString> splitTableCell(const QString& selected)
{
    return onOwnTable(selected, splitTableCellIn);
}

QString insertTableCell()
{
    return QStringLiteral("<TD vAlign=center align=left>&nbsp;</TD>");
}

QString quickTableMarkup(const QuickTable& table)
{
    QString head = QStringLiteral("<TABLE");
    if (table.border)
        head += QStringLiteral(" border=1");
    head += QStringLiteral(" width=100%");
    if (table.spacing != 0)
        head += QStringLiteral(" cellspacing=") + QString::number(table.spacing);
    if (table.padding != 0)
        head += QStringLiteral(" cellpadding=") + QString::number(table.padding);
    head += QStringLiteral(">") + CrLf;
    QString cell = QStringLiteral("<td align=left valign=middle");
    if (table.fixedWidth)
        cell += QStringLiteral(" width=1%");
    cell += QStringLiteral(">&nbsp;</td>");
    const QString row = RowOpen + cell.repeated(std::max(table.columns, 0)) + RowClose;
    return head + (row + CrLf).repeated(std::max(table.rows, 0)) + CrLf + QStringLiteral("</TABLE>");
}

}
