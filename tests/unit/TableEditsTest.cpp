// The Table menu's source edits on selected text. In the case texts "~"
// stands for a CR LF line break; an expected "(unchanged)" means the command
// leaves the selection as it is.
#include "editing/TableEdits.h"

#include <gtest/gtest.h>

#include <functional>

using namespace ink;

namespace {

using TableEdit = std::function<std::optional<QString>(const QString&)>;

QString lines(const char* text)
{
    return QString::fromUtf8(text).replace(QLatin1Char('~'), QStringLiteral("\r\n"));
}

std::string shown(const std::optional<QString>& result)
{
    if (!result)
        return "(unchanged)";
    return QString(*result).replace(QStringLiteral("\r\n"), QStringLiteral("~")).toStdString();
}

struct EditCase {
    const char* row;
    const char* command;
    const char* selected;
    const char* result;
};

void PrintTo(const EditCase& c, std::ostream* os)
{
    *os << c.row;
}

TableEdit editNamed(const std::string& name)
{
    if (name == "insertrow")
        return insertTableRow;
    if (name == "deleterow")
        return deleteTableRow;
    if (name == "insertcolumn")
        return insertTableColumn;
    if (name == "deletecolumn")
        return deleteTableColumn;
    if (name == "deletecell")
        return deleteTableCell;
    if (name == "mergecells")
        return mergeTableCells;
    return splitTableCell;
}

class TableEditTest : public ::testing::TestWithParam<EditCase> {};

TEST_P(TableEditTest, RebuildsTheSelection)
{
    const EditCase& c = GetParam();
    EXPECT_EQ(shown(editNamed(c.command)(lines(c.selected))), c.result);
}

INSTANTIATE_TEST_SUITE_P(InsertRow, TableEditTest, ::testing::Values(
    EditCase{"two rows: one new cell per cell of the last row, after its end tag", "insertrow",
             "<TR>~<TD align=left>a</TD>~<TD align=left>b</TD></TR>~<TR>~<TD align=left>c</TD>~"
             "<TD align=left>d</TD></TR>",
             "<TR>~<TD align=left>a</TD>~<TD align=left>b</TD></TR>~<TR>~<TD align=left>c</TD>~"
             "<TD align=left>d</TD></TR>~<TR>~<TD align=left>&nbsp;</TD>~"
             "<TD align=left>&nbsp;</TD></TR>"},
    EditCase{"lower-case cells give a one-cell row", "insertrow",
             "<TR><td align=left valign=middle>&nbsp;</td><td>x</td></TR>",
             "<TR><td align=left valign=middle>&nbsp;</td><td>x</td></TR>~<TR>~"
             "<td align=left valign=middle>&nbsp;</TD></TR>"},
    EditCase{"the text after the last row stays after the new one", "insertrow",
             "<TR><TD>a</TD></TR>~</TABLE>", "<TR><TD>a</TD></TR>~<TR>~<TD>&nbsp;</TD></TR>~</TABLE>"},
    EditCase{"cells without a row tag hold no row: unchanged", "insertrow", "<TD>a</TD>", "(unchanged)"},
    EditCase{"a paragraph holds no row: unchanged", "insertrow", "<p>Before text</p>", "(unchanged)"},
    EditCase{"the end of a row is enough", "insertrow", "<TD>a</TD></TR>",
             "<TD>a</TD></TR>~<TR>~<TD>&nbsp;</TD></TR>"},
    EditCase{"text without tags is left alone", "insertrow", "just words", "(unchanged)"},
    EditCase{"a lone angle bracket is no tag", "insertrow", "a < b", "(unchanged)"},
    EditCase{"empty selection", "insertrow", "", "(unchanged)"}));

INSTANTIATE_TEST_SUITE_P(DeleteRow, TableEditTest, ::testing::Values(
    EditCase{"three rows one per line lose the third and its line break", "deleterow",
             "<TR><TD>a</TD></TR>~<TR><TD>b</TD></TR>~<TR><TD>c</TD></TR>",
             "<TR><TD>a</TD></TR>~<TR><TD>b</TD></TR>"},
    EditCase{"rows on one line keep their characters", "deleterow",
             "<TR><TD>a</TD></TR><TR><TD>b</TD></TR>", "<TR><TD>a</TD></TR>"},
    EditCase{"the text after the last row end tag stays", "deleterow",
             "<TR><TD>a</TD></TR>~</TABLE>", "~</TABLE>"},
    EditCase{"a row that is not the last one stays with what follows", "deleterow",
             "<TR><TD>a</TD></TR>~<TR><TD>b</TD></TR>~</TABLE>", "<TR><TD>a</TD></TR>~</TABLE>"},
    EditCase{"a bare line feed is a line break too", "deleterow",
             "<TR><TD>a</TD></TR>\n<TR><TD>b</TD></TR>", "<TR><TD>a</TD></TR>"},
    EditCase{"an unclosed last row goes to the end", "deleterow",
             "<TR><TD>a</TD></TR>~<TR><TD>b", "<TR><TD>a</TD></TR>"},
    EditCase{"no row start tag: unchanged", "deleterow", "<TD>a</TD></TR>", "(unchanged)"},
    EditCase{"lower-case row tags are not rows", "deleterow", "<tr><td>a</td></tr>", "(unchanged)"},
    EditCase{"empty selection", "deleterow", "", "(unchanged)"}));

INSTANTIATE_TEST_SUITE_P(InsertColumn, TableEditTest, ::testing::Values(
    EditCase{"each row gains a copy of the first cell on its own line", "insertcolumn",
             "<TR>~<TD width=5>a</TD></TR>~<TR>~<TD>b</TD></TR>",
             "<TR>~<TD width=5>a</TD>~<TD width=5>&nbsp;</TD></TR>~<TR>~<TD>b</TD>~"
             "<TD width=5>&nbsp;</TD></TR>"},
    EditCase{"no upper-case cell: a plain cell", "insertcolumn",
             "<TR><td>a</td></TR>", "<TR><td>a</td>~<TD>&nbsp;</TD></TR>"},
    EditCase{"no row end tag: unchanged rather than doubled", "insertcolumn",
             "<TD>a</TD>", "(unchanged)"},
    EditCase{"empty selection", "insertcolumn", "", "(unchanged)"}));

INSTANTIATE_TEST_SUITE_P(DeleteColumn, TableEditTest, ::testing::Values(
    EditCase{"three cells one per line keep the first two", "deletecolumn",
             "<TR>~<TD>a</TD>~<TD>b</TD>~<TD>c</TD></TR>", "<TR>~<TD>a</TD>~<TD>b</TD></TR>"},
    EditCase{"every row loses its last cell; text after the rows stays", "deletecolumn",
             "<TR>~<TD>a</TD>~<TD>b</TD></TR>~<TR>~<TD>c</TD>~<TD>d</TD></TR>~</TABLE>",
             "<TR>~<TD>a</TD></TR>~<TR>~<TD>c</TD></TR>~</TABLE>"},
    EditCase{"a one-cell row becomes empty", "deletecolumn", "<TR>~<TD>a</TD></TR>", "<TR></TR>"},
    EditCase{"cells on one line keep their end tags", "deletecolumn",
             "<TR><TD>a</TD><TD>b</TD></TR>", "<TR>~<TD>a</TD></TR>"},
    EditCase{"lower-case cells are kept", "deletecolumn",
             "<TR><td>a</td><td>b</td></TR>~<TR><td>c</td></TR>",
             "<TR><td>a</td><td>b</td></TR>~<TR><td>c</td></TR>"},
    EditCase{"no row start tag: unchanged", "deletecolumn", "<TD>a</TD>", "(unchanged)"},
    EditCase{"empty selection", "deletecolumn", "", "(unchanged)"}));

INSTANTIATE_TEST_SUITE_P(DeleteCell, TableEditTest, ::testing::Values(
    EditCase{"a cell is deleted", "deletecell", "<TD>a</TD>", ""},
    EditCase{"no cell start tag: unchanged", "deletecell", "<td>a</td>", "(unchanged)"}));

INSTANTIATE_TEST_SUITE_P(MergeCells, TableEditTest, ::testing::Values(
    EditCase{"two adjacent cells", "mergecells", "<TD align=left>a</TD><TD>b</TD>",
             "<TD align=left>a b </TD>"},
    EditCase{"tags inside later cells and a row end are dropped", "mergecells",
             "<TD>a</TD>~<TD><B>b</B></TD>~<TD>c</TD></TR>", "<TD>a  b ~ c  </TD>"},
    EditCase{"one cell gains a blank", "mergecells", "<TD>a</TD>", "<TD>a </TD>"},
    EditCase{"no cell end tag: unchanged", "mergecells", "<TD>a", "(unchanged)"}));

INSTANTIATE_TEST_SUITE_P(SplitCell, TableEditTest, ::testing::Values(
    EditCase{"one cell gains an empty twin", "splitcell", "<TD width=50>x</TD>",
             "<TD width=50>x</TD><TD width=50>&nbsp;</TD>"},
    EditCase{"text before the first cell is kept", "splitcell", "~  <TD>x</TD>",
             "~  <TD>x</TD><TD>&nbsp;</TD>"},
    EditCase{"later cells come back unchanged", "splitcell", "<TD a=1>x</TD>~<TD>y</TD></TR>",
             "<TD a=1>x</TD><TD a=1>&nbsp;</TD>~<TD>y</TD></TR>"},
    EditCase{"the row end stays after the new cell", "splitcell", "<TD>x</TD></TR>",
             "<TD>x</TD><TD>&nbsp;</TD></TR>"},
    EditCase{"no cell start tag: unchanged", "splitcell", "<td>x</td>", "(unchanged)"},
    EditCase{"empty selection", "splitcell", "", "(unchanged)"}));

// A table inside a cell of the selected rows: the commands work on the outer
// rows and cells and carry the inner table along unchanged.
#define INNER "<TABLE><TR><TD>in1</TD><TD>in2</TD></TR></TABLE>"
#define OUTER_ROW "<TR>~<TD>out1</TD>~<TD>out2" INNER "</TD></TR>"

INSTANTIATE_TEST_SUITE_P(NestedTables, TableEditTest, ::testing::Values(
    EditCase{"insert row: one new cell per outer cell", "insertrow", OUTER_ROW,
             OUTER_ROW "~<TR>~<TD>&nbsp;</TD>~<TD>&nbsp;</TD></TR>"},
    EditCase{"delete row: the last outer row goes with its inner table", "deleterow",
             "<TR><TD>a</TD></TR>~<TR><TD>b" INNER "</TD></TR>", "<TR><TD>a</TD></TR>"},
    EditCase{"delete row: an inner table in an earlier row stays", "deleterow",
             "<TR><TD>a" INNER "</TD></TR>~<TR><TD>b</TD></TR>", "<TR><TD>a" INNER "</TD></TR>"},
    EditCase{"insert column: only the outer row gains a cell", "insertcolumn", OUTER_ROW,
             "<TR>~<TD>out1</TD>~<TD>out2" INNER "</TD>~<TD>&nbsp;</TD></TR>"},
    EditCase{"delete column: the outer last cell goes whole", "deletecolumn", OUTER_ROW,
             "<TR>~<TD>out1</TD></TR>"},
    EditCase{"delete column: an inner table in a kept cell stays", "deletecolumn",
             "<TR>~<TD>a" INNER "</TD>~<TD>b</TD></TR>", "<TR>~<TD>a" INNER "</TD></TR>"},
    EditCase{"delete cell: the selected cell goes with its content", "deletecell",
             "<TD>x" INNER "</TD>", ""},
    EditCase{"merge cells: the inner table stays in the merged cell", "mergecells",
             "<TD>a</TD><TD>b" INNER "</TD>", "<TD>a b" INNER " </TD>"},
    EditCase{"split cell: the twin follows the outer cell", "splitcell", "<TD w=1>x" INNER "</TD>",
             "<TD w=1>x" INNER "</TD><TD w=1>&nbsp;</TD>"},
    EditCase{"an inner table in lower case is set aside too", "insertcolumn",
             "<TR><TD>a<table><TR><TD>b</TD></TR></table></TD></TR>",
             "<TR><TD>a<table><TR><TD>b</TD></TR></table></TD>~<TD>&nbsp;</TD></TR>"},
    EditCase{"a whole selected table is the one edited", "insertrow",
             "<TABLE>~<TR><TD>a</TD></TR>~</TABLE>",
             "<TABLE>~<TR><TD>a</TD></TR>~<TR>~<TD>&nbsp;</TD></TR>~</TABLE>"},
    EditCase{"a selection starting inside an inner table: unchanged", "deletecolumn",
             "in2</TD></TR></TABLE></TD></TR>", "(unchanged)"},
    EditCase{"a selection ending inside an inner table: unchanged", "insertrow",
             "<TR><TD>a</TD></TR>~<TR><TD>b<TABLE><TR><TD>in", "(unchanged)"}));

TEST(TableEditTest, InsertCellIsOneEmptyCell)
{
    EXPECT_EQ(insertTableCell(), "<TD vAlign=center align=left>&nbsp;</TD>");
}

struct QuickCase {
    const char* row;
    QuickTable table;
    const char* markup;
};

void PrintTo(const QuickCase& c, std::ostream* os)
{
    *os << c.row;
}

class QuickTableTest : public ::testing::TestWithParam<QuickCase> {};

TEST_P(QuickTableTest, WritesTheTable)
{
    EXPECT_EQ(QString(quickTableMarkup(GetParam().table)).replace("\r\n", "~").toStdString(),
              GetParam().markup);
}

#define CELL "<td align=left valign=middle>&nbsp;</td>"

INSTANTIATE_TEST_SUITE_P(QuickTables, QuickTableTest, ::testing::Values(
    QuickCase{"border, two columns, padding 3", {2, 1, 0, 3, true, false},
              "<TABLE border=1 width=100% cellpadding=3>~<TR>" CELL CELL "</TR>~~</TABLE>"},
    QuickCase{"initial values: no spacing nor padding written", {1, 1, 0, 0, false, false},
              "<TABLE width=100%>~<TR>" CELL "</TR>~~</TABLE>"},
    QuickCase{"spacing, two rows, static cells", {1, 2, 4, 0, false, true},
              "<TABLE width=100% cellspacing=4>~"
              "<TR><td align=left valign=middle width=1%>&nbsp;</td></TR>~"
              "<TR><td align=left valign=middle width=1%>&nbsp;</td></TR>~~</TABLE>"}));

}
