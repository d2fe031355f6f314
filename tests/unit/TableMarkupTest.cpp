// The table dialog's markup, from the dialog's values. "~" stands for CR LF.
#include "dialogs/TableMarkup.h"

#include <gtest/gtest.h>

#include <functional>

using namespace ink;

namespace {

using Change = std::function<void(TableDialogValues&)>;

std::string shown(const QString& text)
{
    return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("~")).toStdString();
}

TableDialogValues initial()
{
    TableDialogValues v;
    v.pageBackColour = QStringLiteral("#ffffff");
    v.backColour = v.pageBackColour;
    return v;
}

struct MarkupCase {
    const char* row;
    Change change;
    const char* start;  // the TABLE start tag
    const char* cell;   // one cell
};

void PrintTo(const MarkupCase& c, std::ostream* os)
{
    *os << c.row;
}

class TableMarkupTest : public ::testing::TestWithParam<MarkupCase> {};

TEST_P(TableMarkupTest, WritesStartTagAndCell)
{
    TableDialogValues v = initial();
    GetParam().change(v);
    EXPECT_EQ(shown(tableStartMarkup(v)), GetParam().start);
    EXPECT_EQ(shown(tableCellMarkup(v)), GetParam().cell);
}

#define START "<TABLE border style=\";border-width:1\" width=100%>~"
#define CELL "<td style=\"\" align=left valign=middle>&nbsp;</td>"

INSTANTIATE_TEST_SUITE_P(Properties, TableMarkupTest, ::testing::Values(
    MarkupCase{"initial values", [](TableDialogValues&) {}, START, CELL},
    MarkupCase{"a back colour other than the page's is written",
               [](TableDialogValues& v) { v.backColour = " #800000"; },
               "<TABLE bgcolor= #800000 border style=\";border-width:1\" width=100%>~", CELL},
    MarkupCase{"no page colour and no back colour: no bgcolor",
               [](TableDialogValues& v) { v.backColour = v.pageBackColour = ""; }, START, CELL},
    MarkupCase{"border colour keeps its leading blank",
               [](TableDialogValues& v) { v.borderColour = " #800000"; },
               "<TABLE border style=\";border-width:1;border-color: #800000\" width=100%>~", CELL},
    MarkupCase{"border size 0 still writes an empty style",
               [](TableDialogValues& v) { v.borderSize = 0; },
               "<TABLE style=\"\" width=100%>~", CELL},
    MarkupCase{"border style, font, size 1 and fore colour in order",
               [](TableDialogValues& v) {
                   v.borderStyle = "dotted";
                   v.fontName = "Arial";
                   v.fontSize = 1;
                   v.foreColour = "#FF0000";
               },
               "<TABLE border style=\"border-style:dotted;border-width:1;font-family:Arial;"
               "font-size:8pt;color:#FF0000\" width=100%>~", CELL},
    MarkupCase{"font size 7", [](TableDialogValues& v) { v.fontSize = 7; },
               "<TABLE border style=\";border-width:1;font-size:36pt\" width=100%>~", CELL},
    MarkupCase{"percentage chosen but width empty: neither written",
               [](TableDialogValues& v) { v.width = ""; },
               "<TABLE border style=\";border-width:1\">~", CELL},
    MarkupCase{"height in pixels, width without per cent",
               [](TableDialogValues& v) { v.height = "40"; v.widthPercent = false; },
               "<TABLE border style=\";border-width:1\" height=40 width=100>~", CELL},
    MarkupCase{"typed lengths: px written as the number, a typed % kept, no length left out",
               [](TableDialogValues& v) {
                   v.height = "40 px";
                   v.width = "50%";
                   v.widthPercent = false;
                   v.cellHeight = "tall";
                   v.cellWidth = "20px";
                   v.cellWidthPercent = true;
               },
               "<TABLE border style=\";border-width:1\" height=40 width=50%>~",
               "<td style=\"\" width=20 align=left valign=middle>&nbsp;</td>"},
    MarkupCase{"spacing and padding",
               [](TableDialogValues& v) { v.cellSpacing = 2; v.cellPadding = 5; },
               "<TABLE border style=\";border-width:1\" width=100% cellspacing=2 cellpadding=5>~",
               CELL},
    MarkupCase{"images are quoted, a typed quote cannot end the value",
               [](TableDialogValues& v) {
                   v.background = "images/a b.gif";
                   v.cellBackground = "x\" onload=\"y";
               },
               "<TABLE background=\"images/a b.gif\" border style=\";border-width:1\" width=100%>~",
               "<td background=\"x&quot; onload=&quot;y\" style=\"\" align=left valign=middle>"
               "&nbsp;</td>"},
    MarkupCase{"cell colours, border and sizes",
               [](TableDialogValues& v) {
                   v.cellBackColour = " #808000";
                   v.cellBorderStyle = "solid";
                   v.cellBorderSize = 2;
                   v.cellBorderColour = "#000000";
                   v.cellHeight = "10";
                   v.cellHeightPercent = true;
                   v.cellWidth = "1";
                   v.cellWidthPercent = true;
                   v.align = TableDialogValues::HAlign::Right;
                   v.valign = TableDialogValues::VAlign::Bottom;
               },
               START,
               "<td bgcolor= #808000 style=\" border-style:solid;border-width:2;border-color:#000000\""
               " height=10% width=1% align=right valign=bottom>&nbsp;</td>"}));

TEST(TableMarkup, InitialTableHasTwoRowsOfTwoCells)
{
    EXPECT_EQ(shown(tableDialogMarkup(initial())),
              START "<TR>" CELL CELL "</TR>~<TR>" CELL CELL "</TR>~~</TABLE>");
}

TEST(TableMarkup, OneRowOfOneCell)
{
    TableDialogValues v = initial();
    v.rows = v.columns = 1;
    EXPECT_EQ(shown(tableDialogMarkup(v)), START "<TR>" CELL "</TR>~~</TABLE>");
}

TEST(TableMarkup, PreviewPutsTheTableOnThePageColour)
{
    EXPECT_EQ(shown(tableDialogPreviewText(initial(), "<TABLE></TABLE>")),
              "<html><body bgcolor=#ffffff><TABLE></TABLE></body></html>");
}

}
