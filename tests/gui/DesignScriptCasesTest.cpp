// The Design view's script on its own, one command at a time: a marked body
// goes into a bare page in design mode, the command runs, and the body and
// selection that come out are compared with the expected marked body.
#include "DesignScriptPage.h"
#include "GuiTestSupport.h"

#include "platform/DesignSurface.h"

#include <gtest/gtest.h>

#include <functional>
#include <iostream>

using namespace inktest;

namespace {

struct ScriptCase {
    const char* row;
    const char* before;
    const char* after;
};

void PrintTo(const ScriptCase& c, std::ostream* out)
{
    *out << c.row;
}

class DesignScriptTest : public ::testing::Test {
protected:
    // One page for the whole run: starting the engine takes longer than
    // every case together.
    static void SetUpTestSuite() { page_ = new DesignScriptPage; }
    static void TearDownTestSuite()
    {
        delete page_;
        page_ = nullptr;
    }

    // Loads the case, runs `command` and gives back the marked body.
    static std::string runCase(const ScriptCase& c, const std::function<void()>& command)
    {
        if (!page_->load(QString::fromUtf8(c.before)))
            return "(page did not load)";
        command();
        return page_->markedBody().toStdString();
    }

    static void runTable(const std::vector<ScriptCase>& cases,
                         const std::function<void()>& command)
    {
        for (const ScriptCase& c : cases)
            EXPECT_EQ(runCase(c, command), c.after) << c.row;
    }

    // Runs the surface's command `id` on the marked body, then Undo, which
    // must give back the body and the selection as they were.
    static void expectCommand(int id, const std::string& before, const std::string& after)
    {
        const ScriptCase c{before.c_str(), before.c_str(), after.c_str()};
        EXPECT_EQ(runCase(c, [id] { page_->call(QStringLiteral("command"), {id, QString()}); }),
                  after);
        page_->call(QStringLiteral("command"), {ink::DesignCmd::Undo, QString()});
        EXPECT_EQ(page_->markedBody().toStdString(), before) << "after Undo";
    }

    static DesignScriptPage* page_;
};

DesignScriptPage* DesignScriptTest::page_ = nullptr;

const char* const kButtonForm =
    "<form action=\"go.html\"><input type=\"submit\" value=\"Go\"></form>";

}

// The harness itself: markers in, the same markers out.
TEST_F(DesignScriptTest, MarkersComeBackWhereTheyWereSet)
{
    runTable(
        {
            {"forward", "<p>a^bc|d</p>", "<p>a^bc|d</p>"},
            {"backward", "<p>a|bc^d</p>", "<p>a|bc^d</p>"},
            {"caret", "<p>ab^|cd</p>", "<p>ab^|cd</p>"},
            {"across_elements", "<p>a^b</p><p>c|d</p>", "<p>a^b</p><p>c|d</p>"},
            {"between_elements", "<p>a</p>^|<p>b</p>", "<p>a</p>^|<p>b</p>"},
            {"around_object", "<p>a^<img src=\"x.gif\">|b</p>", "<p>a^<img src=\"x.gif\">|b</p>"},
            {"nbsp_and_entities", "<p>a&nbsp;&amp;^|&lt;</p>", "<p>a&nbsp;&amp;^|&lt;</p>"},
        },
        [] {});
}

// A block pasted into a paragraph splits it; a half left with nothing to
// show goes, and so does the copy of an element the split cut in two, but an
// element of the user's that shows nothing (a named anchor) stays.
TEST_F(DesignScriptTest, PastedBlockSplitsTheParagraphAndDropsEmptiedHalves)
{
    const std::string form = kButtonForm;
    const std::vector<ScriptCase> cases = {
        {"middle", "<p>ab^|cd</p>", ""},
        {"end_inside_named_anchor", "<p><a name=\"top\">Heading^|</a></p>", ""},
        {"start_inside_named_anchor", "<p><a name=\"top\">^|Heading</a></p>", ""},
        {"end_inside_anchor_in_bold", "<p><b>x<a name=\"top\">Heading^|</a></b></p>", ""},
        {"empty_named_anchor", "<p><a name=\"top\">^|</a></p>", ""},
        {"anchor_before_caret_stays", "<p><a name=\"x\"></a>^|Text</p>", ""},
        {"anchor_after_caret_stays", "<p>Text^|<a name=\"x\"></a></p>", ""},
        {"middle_of_named_anchor", "<p><a name=\"top\">Hea^|ding</a></p>", ""},
        {"middle_of_span_with_id", "<p><span id=\"s\">ab^|cd</span></p>", ""},
    };
    const std::vector<std::string> expected = {
        "<p>ab</p>" + form + "^|<p>cd</p>",
        "<p><a name=\"top\">Heading</a></p>" + form + "^|",
        form + "^|<p><a name=\"top\">Heading</a></p>",
        "<p><b>x<a name=\"top\">Heading</a></b></p>" + form + "^|",
        "<p><a name=\"top\"></a></p>" + form + "^|",
        "<p><a name=\"x\"></a></p>" + form + "^|<p>Text</p>",
        "<p>Text</p>" + form + "^|<p><a name=\"x\"></a></p>",
        // The names stay with the first half only.
        "<p><a name=\"top\">Hea</a></p>" + form + "^|<p>ding</p>",
        "<p><span id=\"s\">ab</span></p>" + form + "^|<p><span>cd</span></p>",
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        const std::string after = runCase(
            cases[i], [] { page_->call(QStringLiteral("paste"), {QString::fromUtf8(kButtonForm)}); });
        EXPECT_EQ(after, expected[i]) << cases[i].row;
    }
    // A line break at the end of a named anchor starts an empty line.
    const ScriptCase lineBreak{"break_line_in_named_anchor", "<p><a name=\"top\">Heading^|</a></p>",
                               "<p><a name=\"top\">Heading</a></p><div></div><p>^|</p>"};
    EXPECT_EQ(runCase(lineBreak,
                      [] { page_->call(QStringLiteral("paste"), {QStringLiteral("<div></div>")}); }),
              lineBreak.after);
    // So does a new paragraph, whose copy of the anchor keeps no name.
    const ScriptCase paragraph{"paragraph_in_named_anchor", "<p><a name=\"top\">Hea^|ding</a></p>",
                               "<p><a name=\"top\">Hea</a></p><p>^|ding</p>"};
    EXPECT_EQ(runCase(paragraph,
                      [] { page_->call(QStringLiteral("paste"), {QStringLiteral("<P>")}); }),
              paragraph.after);
}

// Insert Row puts the new row below the caret's cell, after every row that
// cell spans, and gives it one cell per column that no cell from above
// spans into; a cell from above that spans across the new row grows by one.
// One Undo takes all of it back.
TEST_F(DesignScriptTest, InsertRowKeepsEveryRowAsWideAsTheTable)
{
    const auto table = [](const std::string& rows) {
        return "<table><tbody>" + rows + "</tbody></table>";
    };
    const std::string blank = "<td>&nbsp;</td>";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {table("<tr><td>a^|</td><td>b</td></tr>"),
         table("<tr><td>a^|</td><td>b</td></tr><tr>" + blank + blank + "</tr>")},
        {table("<tr><td colspan=\"2\">a^|</td></tr><tr><td>b</td><td>c</td></tr>"),
         table("<tr><td colspan=\"2\">a^|</td></tr><tr><td colspan=\"2\">&nbsp;</td></tr>"
               "<tr><td>b</td><td>c</td></tr>")},
        // In the spanning cell: below both of its rows.
        {table("<tr><td rowspan=\"2\">A^|</td><td>B</td><td>C</td></tr>"
               "<tr><td>D</td><td>E</td></tr>"),
         table("<tr><td rowspan=\"2\">A^|</td><td>B</td><td>C</td></tr>"
               "<tr><td>D</td><td>E</td></tr><tr>" + blank + blank + blank + "</tr>")},
        // Beside it, on its first row: it spans the new row too.
        {table("<tr><td rowspan=\"2\">A</td><td>B^|</td><td>C</td></tr>"
               "<tr><td>D</td><td>E</td></tr>"),
         table("<tr><td rowspan=\"3\">A</td><td>B^|</td><td>C</td></tr>"
               "<tr>" + blank + blank + "</tr><tr><td>D</td><td>E</td></tr>")},
        // On its last row: the new row is below it and full.
        {table("<tr><td rowspan=\"2\">A</td><td>B</td><td>C</td></tr>"
               "<tr><td>D^|</td><td>E</td></tr>"),
         table("<tr><td rowspan=\"2\">A</td><td>B</td><td>C</td></tr>"
               "<tr><td>D^|</td><td>E</td></tr><tr>" + blank + blank + blank + "</tr>")},
        // A span in a middle column, caret on its first row.
        {table("<tr><td>a^|</td><td rowspan=\"2\">B</td><td>c</td></tr>"
               "<tr><td>d</td><td>e</td></tr>"),
         table("<tr><td>a^|</td><td rowspan=\"3\">B</td><td>c</td></tr>"
               "<tr>" + blank + blank + "</tr><tr><td>d</td><td>e</td></tr>")},
    };
    for (const auto& [before, after] : cases)
        expectCommand(ink::DesignCmd::InsertRow, before, after);
}

// Delete Row keeps what a spanning cell shows in the rows that stay.
TEST_F(DesignScriptTest, DeleteRowKeepsCellsSpanningIntoRowsThatStay)
{
    const auto table = [](const std::string& rows) {
        return "<table><tbody>" + rows + "</tbody></table>";
    };
    // The spanning cell's first row goes: it moves down into its column.
    expectCommand(ink::DesignCmd::DeleteRows,
                  table("<tr><td rowspan=\"2\">A</td><td>B^|</td><td>C</td></tr>"
                        "<tr><td>D</td><td>E</td></tr>"),
                  table("<tr><td>^|A</td><td>D</td><td>E</td></tr>"));
    expectCommand(ink::DesignCmd::DeleteRows,
                  table("<tr><td>a</td><td rowspan=\"3\">B</td><td>c^|</td></tr>"
                        "<tr><td>d</td><td>e</td></tr><tr><td>f</td><td>g</td></tr>"),
                  table("<tr><td>^|d</td><td rowspan=\"2\">B</td><td>e</td></tr>"
                        "<tr><td>f</td><td>g</td></tr>"));
    // A row it spans into goes: it spans one row less.
    expectCommand(ink::DesignCmd::DeleteRows,
                  table("<tr><td rowspan=\"2\">A</td><td>B</td><td>C</td></tr>"
                        "<tr><td>D^|</td><td>E</td></tr>"),
                  table("<tr><td>^|A</td><td>B</td><td>C</td></tr>"));
}

// Column commands find a cell's column past the cells that rows above span
// into it, so they act on the column the user sees.
TEST_F(DesignScriptTest, ColumnCommandsCountCellsSpanningFromAbove)
{
    const auto table = [](const std::string& rows) {
        return "<table><tbody>" + rows + "</tbody></table>";
    };
    const std::string blank = "<td>&nbsp;</td>";
    struct Case {
        int command;
        std::string before;
        std::string after;
    };
    const std::vector<Case> cases = {
        {ink::DesignCmd::InsertColumn,
         table("<tr><td>a^|</td><td>b</td></tr><tr><td>c</td><td>d</td></tr>"),
         table("<tr><td>a^|</td>" + blank + "<td>b</td></tr><tr><td>c</td>" + blank
               + "<td>d</td></tr>")},
        {ink::DesignCmd::InsertColumn,
         table("<tr><td rowspan=\"2\">A</td><td>B^|</td><td>C</td></tr>"
               "<tr><td>D</td><td>E</td></tr>"),
         table("<tr><td rowspan=\"2\">A</td><td>B^|</td>" + blank + "<td>C</td></tr>"
               "<tr><td>D</td>" + blank + "<td>E</td></tr>")},
        {ink::DesignCmd::InsertColumn,
         table("<tr><td colspan=\"2\">a</td></tr><tr><td>b^|</td><td>c</td></tr>"),
         table("<tr><td colspan=\"3\">a</td></tr><tr><td>b^|</td>" + blank
               + "<td>c</td></tr>")},
        {ink::DesignCmd::DeleteColumns,
         table("<tr><td rowspan=\"2\">A</td><td>B</td><td>C</td></tr>"
               "<tr><td>D</td><td>E^|</td></tr>"),
         table("<tr><td rowspan=\"2\">^|A</td><td>B</td></tr><tr><td>D</td></tr>")},
    };
    for (const Case& c : cases)
        expectCommand(c.command, c.before, c.after);
}

// What the user types over a selection the script made goes where the
// selection was, every letter of it.
TEST_F(DesignScriptTest, TypingReplacesTheLinkTextTheLinkPickerSelected)
{
    const ScriptCase c{"link_at_caret", "<p>x^|y</p>",
                       "<p>x<a href=\"two.html\">LINKTXT^|{ph}</a>y</p>"};
    const std::string after = runCase(c, [] {
        page_->call(QStringLiteral("pasteInner"),
                    {QStringLiteral("<A href=\"two.html\">"), QStringLiteral("two.html"),
                     QStringLiteral("</A>")});
        ASSERT_EQ(page_->markedBody().toStdString(),
                  "<p>x<a href=\"two.html\">^two.html|{ph}</a>y</p>");
        page_->type(QStringLiteral("LINKTXT"));
    });
    EXPECT_EQ(after, c.after);
    // The mark that keeps the caret inside the link is never written.
    EXPECT_EQ(page_->call(QStringLiteral("bodyHtml")).toString().toStdString(),
              "\r\n<P>x<A href=two.html>LINKTXT</A>y</P>");
}

// A click on an image selects it as an object, as the selection type and
// the selected object's HTML then say.
TEST_F(DesignScriptTest, ClickOnAnImageSelectsIt)
{
    const char* image = "<img src=\"none.gif\" width=\"60\" height=\"40\">";
    ASSERT_TRUE(page_->load(QStringLiteral("<p>ab^|cd</p><p>left %1 right</p>")
                                .arg(QLatin1String(image))));
    ASSERT_TRUE(page_->click(QStringLiteral("img")));
    waitUntil([] { return page_->call(QStringLiteral("selectionType")) == "Control"; }, 3000);
    EXPECT_EQ(page_->markedBody().toStdString(),
              std::string("<p>abcd</p><p>left ^") + image + "| right</p>");
    EXPECT_EQ(page_->call(QStringLiteral("selectionType")).toString().toStdString(), "Control");
    EXPECT_EQ(page_->call(QStringLiteral("controlHtml")).toString().toStdString(),
              "<IMG src=none.gif width=60 height=40>");
}
