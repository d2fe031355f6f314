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

namespace {

struct WrapCase {
    const char* row;
    const char* opening;
    const char* closing;
    bool strip;
    const char* before;
    const char* after;
    const char* made;  // the elements the wrap made, in document order
};

void PrintTo(const WrapCase& c, std::ostream* out)
{
    *out << c.row;
}

// Marks every element of the body as the page's own (a script property,
// never an attribute); gives the names of the unmarked ones afterwards.
const char* const kMarkElements =
    "document.body.querySelectorAll('*').forEach(e => { e.inkOwn = true; }); true";
const char* const kUnmarkedElements =
    "[...document.body.querySelectorAll('*')].filter(e => !e.inkOwn).map(e => e.localName)"
    ".join(' ')";

}

// Lists, Preformat, Make Editable and the character styles move the
// selected nodes into the new element: every element of the page is still
// the node it was (so its markup is written as the author wrote it), only
// the wrapper and the copy a split makes are new. One Undo gives the body
// and the selection back; a text area's wrap is left to the markup path.
TEST_F(DesignScriptTest, WrapsMoveTheSelectedNodesIntoTheNewElement)
{
    const char* const ul = "<ul><li>";
    const char* const ulEnd = "</li></ul>";
    const WrapCase cases[] = {
        {"list_whole_paragraph_with_link_and_code", ul, ulEnd, false,
         "<p id=\"s\">^Up: <a href=\"u.html\" accesskey=\"u\">Using</a> and <code>ffi</code>|</p>"
         "<p>next</p>",
         "<ul><li>^<p id=\"s\">Up: <a href=\"u.html\" accesskey=\"u\">Using</a> and "
         "<code>ffi</code></p>|</li></ul><p>next</p>",
         "ul li"},
        {"list_whole_paragraph_between_layout_lines", ul, ulEnd, false,
         "\n<p id=\"s\">^a|</p>\n<p>b</p>\n",
         "\n<ul><li>^<p id=\"s\">a</p>|</li></ul>\n<p>b</p>\n", "ul li"},
        {"list_part_ending_after_a_link", ul, ulEnd, false,
         "<p>a^b <a href=\"u.html\">Using</a>| c</p>",
         "<p>a</p><ul><li>^b <a href=\"u.html\">Using</a>|</li></ul><p> c</p>", "ul li p"},
        {"ordered_list_over_two_paragraphs", "<ol><li>", "</li></ol>", false,
         "<p class=\"x\">^one <b>bold</b></p><p>tw|o</p>",
         "<ol><li>^<p class=\"x\">one <b>bold</b></p><p>tw</p>|</li></ol><p>o</p>", "ol li p"},
        {"preformat_across_paragraphs", "<PRE>", "</PRE>", true,
         "<p>o^ne</p><p>tw|o <code>c</code></p>",
         "<p>o</p><pre>^<p>ne</p><p>tw</p>|</pre><p>o <code>c</code></p>", "pre p p"},
        {"editable_plain_paragraph_gives_its_content", "<div contentEditable=true>", "</div>",
         true, "<p>^alpha <b>beta</b>|</p>",
         "<div contenteditable=\"true\">^alpha <b>beta</b>|</div>", "div"},
        {"editable_paragraph_with_attributes_moves_whole", "<div contentEditable=true>",
         "</div>", true, "<p id=\"x\">^alpha|</p>",
         "<div contenteditable=\"true\">^<p id=\"x\">alpha</p>|</div>", "div"},
        {"strike_over_a_whole_link", "<STRIKE>", "</STRIKE>", true,
         "<p>x ^<a href=\"u.html\">link</a>| y</p>",
         "<p>x <strike>^<a href=\"u.html\">link</a>|</strike> y</p>", "strike"},
        {"strike_inside_a_link_keeps_typing_in_it", "<STRIKE>", "</STRIKE>", true,
         "<p><a href=\"u.html\">a^bc|d</a></p>",
         "<p><a href=\"u.html\">a<strike>^bc|{ph}</strike>d</a></p>", "strike"},
        {"image_before_the_selection_stays", ul, ulEnd, false,
         "<p><img src=\"i.gif\">^a <b>b</b>|</p>",
         "<p><img src=\"i.gif\"></p><ul><li>^a <b>b</b>|</li></ul>", "ul li"},
        {"named_anchor_cut_in_two_keeps_its_name_once", "<PRE>", "</PRE>", true,
         "<p><a name=\"top\">He^ad</a>ing|</p>",
         "<p><a name=\"top\">He</a></p><pre>^ading|</pre>", "pre"},
    };
    for (const WrapCase& c : cases) {
        const ScriptCase sc{c.row, c.before, c.after};
        std::string made;
        const std::string after = runCase(sc, [&] {
            page_->run(QLatin1String(kMarkElements));
            EXPECT_TRUE(page_->call(QStringLiteral("wrap"),
                                    {QLatin1String(c.opening), QLatin1String(c.closing), c.strip})
                            .toBool())
                << c.row;
            made = page_->run(QLatin1String(kUnmarkedElements)).toString().toStdString();
        });
        EXPECT_EQ(after, c.after) << c.row;
        EXPECT_EQ(made, c.made) << c.row;
        page_->call(QStringLiteral("command"), {ink::DesignCmd::Undo, QString()});
        EXPECT_EQ(page_->markedBody().toStdString(), c.before) << c.row << " after Undo";
    }
    // Text-only elements, an empty selection, a selection across table
    // cells and a link around a link are left to the markup path.
    const WrapCase refused[] = {
        {"text_area", "<textarea name=\"\">", "</textarea>", true, "<p>a^b|c</p>", "", ""},
        {"caret", ul, ulEnd, false, "<p>ab^|c</p>", "", ""},
        {"across_cells", ul, ulEnd, false,
         "<table><tbody><tr><td>a^b</td><td>c|d</td></tr></tbody></table>", "", ""},
        {"link_in_link", "<A href=\"n.html\">", "</A>", true,
         "<p>x^ <a href=\"u.html\">link</a>| y</p>", "", ""},
    };
    for (const WrapCase& c : refused) {
        ASSERT_TRUE(page_->load(QLatin1String(c.before)));
        EXPECT_FALSE(page_->call(QStringLiteral("wrap"),
                                 {QLatin1String(c.opening), QLatin1String(c.closing), c.strip})
                         .toBool())
            << c.row;
        EXPECT_EQ(page_->markedBody().toStdString(), c.before) << c.row;
    }
}

// A block pasted where nothing of the paragraph stands before the caret
// goes before the paragraph, which stays the page's own element; the same
// after a named anchor that shows nothing.
TEST_F(DesignScriptTest, BlockPastedAtTheStartOfAParagraphGoesBeforeIt)
{
    const std::string table = "<table><tbody><tr><td>x</td></tr></tbody></table>";
    const std::vector<ScriptCase> cases = {
        {"start", "<p class=\"a\">^|After text</p>", ""},
        {"start_after_layout", "<p class=\"a\">\n^|After <b>text</b></p>", ""},
        {"start_of_bold", "<p class=\"a\"><b>^|After</b> text</p>", ""},
    };
    const std::vector<std::string> expected = {
        table + "^|<p class=\"a\">After text</p>",
        table + "^|<p class=\"a\">\nAfter <b>text</b></p>",
        table + "^|<p class=\"a\"><b>After</b> text</p>",
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        std::string made;
        const std::string after = runCase(cases[i], [&] {
            page_->run(QLatin1String(kMarkElements));
            page_->call(QStringLiteral("paste"), {QString::fromStdString(table)});
            made = page_->run(QLatin1String(kUnmarkedElements)).toString().toStdString();
        });
        EXPECT_EQ(after, expected[i]) << cases[i].row;
        EXPECT_EQ(made, "table tbody tr td") << cases[i].row;
    }
}

// Bold, Italic and Font across two paragraphs, from inside a link: the
// engine's own commands wrap the page's nodes in place, so the link, the
// code and the paragraphs stay the page's own elements.
TEST_F(DesignScriptTest, FormattingAcrossParagraphsKeepsThePagesElements)
{
    struct Case {
        int command;
        const char* value;
        const char* made;
    };
    const Case cases[] = {
        {ink::DesignCmd::Bold, "", "b b b"},
        {ink::DesignCmd::Italic, "", "i i i"},
        {ink::DesignCmd::SetFontName, "Arial", "font font font"},
    };
    const ScriptCase page{"two_paragraphs",
                          "<p class=\"s\">Up: <a href=\"u.html\">Us^ing</a> and <code>ffi</code></p>"
                          "<p id=\"t\">Caf|&eacute; au lait</p>",
                          ""};
    for (const Case& c : cases) {
        std::string made;
        runCase(page, [&] {
            page_->run(QLatin1String(kMarkElements));
            page_->call(QStringLiteral("command"), {c.command, QLatin1String(c.value)});
            made = page_->run(QLatin1String(kUnmarkedElements)).toString().toStdString();
        });
        EXPECT_EQ(made, c.made) << c.command;
    }
}
