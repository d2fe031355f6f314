// The Design view's element, form and formatting commands on part of a
// paragraph, at a caret and on a whole paragraph: the page must hold the
// selected text exactly once, where it was, with nothing else changed, and
// one Undo must give the page back as it was.
#include "GuiTestSupport.h"

#include "editing/widgets/EditingCommands.h"
#include "platform/widgets/WebEngineDesignSurface.h"
#include "platform/widgets/WebEngineScriptWait.h"

#include <QFile>
#include <QTemporaryDir>
#include <QWebEngineView>
#include <gtest/gtest.h>

using namespace ink;

namespace {

const char* const kBody = "<P>alpha beta gamma</P><P>second para here</P>";

// Where the command finds the selection in the first paragraph.
enum class Where { Beta, CaretBeforeBeta, WholeParagraph };

struct DesignCase {
    const char* row;
    const char* command;
    Where where;
    const char* body;      // the body afterwards, its line ends taken out
    const char* selected;  // the selection's text afterwards, or nullptr: not checked
};

void PrintTo(const DesignCase& c, std::ostream* os)
{
    *os << c.row;
}

class DesignCommandsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        surface_ = new WebEngineDesignSurface(nullptr);
        surface_->widget()->resize(800, 600);
        surface_->widget()->show();
    }

    static void TearDownTestSuite()
    {
        delete surface_;
        surface_ = nullptr;
    }

    void SetUp() override { target_ = EditTarget{surface_, nullptr, true, [] {}}; }

    static QVariant js(const QString& script)
    {
        auto* view = static_cast<QWebEngineView*>(surface_->widget());
        surface_->noteOutsideScript();
        return runScriptAndWait(view->page(), script, 5000);
    }

    static void loadBody(const QString& body)
    {
        surface_->setDocumentHtml(QStringLiteral("<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY>")
                                  + body + QStringLiteral("</BODY></HTML>"));
        ASSERT_TRUE(inktest::waitUntil([] { return !surface_->busy(); }));
    }

    static void select(Where where)
    {
        const char* how = "";
        switch (where) {
        case Where::Beta: how = "r.setStart(t, 6); r.setEnd(t, 10)"; break;
        case Where::CaretBeforeBeta: how = "r.setStart(t, 6)"; break;
        case Where::WholeParagraph: how = "r.selectNodeContents(t.parentNode)"; break;
        }
        js(QStringLiteral("{ const t = document.querySelector('p').firstChild;"
                          " const r = document.createRange(); %1;"
                          " getSelection().removeAllRanges(); getSelection().addRange(r); }")
               .arg(QLatin1String(how)));
    }

    // Loads `text` from a working file, as the program writes one.
    static void loadFile(const QString& text)
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("page.html"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\xEF\xBB\xBF" + text.toUtf8() + "\r\n");
        file.close();
        surface_->loadDocument(path);
        ASSERT_TRUE(inktest::waitUntil([] { return !surface_->busy(); }));
    }

    static QString body() { return surface_->bodyInnerHtml().remove(QStringLiteral("\r\n")); }
    static QString selectedText()
    {
        return js(QStringLiteral("getSelection().toString()")).toString();
    }

    static WebEngineDesignSurface* surface_;
    EditTarget target_;
};

WebEngineDesignSurface* DesignCommandsTest::surface_ = nullptr;

class DesignCommandTableTest : public DesignCommandsTest,
                               public ::testing::WithParamInterface<DesignCase> {};

TEST_P(DesignCommandTableTest, HoldsTheSelectionOnceAndUndoesInOneStep)
{
    const DesignCase& c = GetParam();
    loadBody(QLatin1String(kBody));
    select(c.where);
    ASSERT_TRUE(runEditingCommand(QLatin1String(c.command), target_));
    const QString after = body();
    EXPECT_EQ(after.toStdString(), c.body);
    EXPECT_FALSE(surface_->documentHtml().contains(QChar(0x200B)));
    if (c.selected)
        EXPECT_EQ(selectedText().toStdString(), c.selected);
    surface_->execCommand(DesignCmd::Undo);
    EXPECT_EQ(body().toStdString(), kBody);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, DesignCommandTableTest,
    ::testing::Values(
        // Inline wraps select what they wrapped.
        DesignCase{"strike_part", "strike", Where::Beta,
                   "<P>alpha <STRIKE>beta</STRIKE> gamma</P><P>second para here</P>", "beta"},
        DesignCase{"strike_whole", "strike", Where::WholeParagraph,
                   "<P><STRIKE>alpha beta gamma</STRIKE></P><P>second para here</P>",
                   "alpha beta gamma"},
        DesignCase{"strike_caret", "strike", Where::CaretBeforeBeta,
                   "<P>alpha <STRIKE></STRIKE>beta gamma</P><P>second para here</P>", nullptr},
        // Blocks split the paragraph around them.
        DesignCase{"preformat_part", "preformat", Where::Beta,
                   "<P>alpha </P><PRE>beta</PRE><P> gamma</P><P>second para here</P>", "beta"},
        DesignCase{"preformat_caret", "preformat", Where::CaretBeforeBeta,
                   "<P>alpha </P><PRE></PRE><P>beta gamma</P><P>second para here</P>", nullptr},
        DesignCase{"newform_part", "newform", Where::Beta,
                   "<P>alpha </P><FORM method=post action=\"\" encType=text/plain>beta</FORM>"
                   "<P> gamma</P><P>second para here</P>",
                   "beta"},
        DesignCase{"newform_caret", "newform", Where::CaretBeforeBeta,
                   "<P>alpha </P><FORM method=post action=\"\" encType=text/plain></FORM>"
                   "<P>beta gamma</P><P>second para here</P>",
                   nullptr},
        DesignCase{"makeeditable_part", "makeeditable", Where::Beta,
                   "<P>alpha </P><DIV contentEditable=true>beta</DIV><P> gamma</P>"
                   "<P>second para here</P>",
                   "beta"},
        DesignCase{"makeeditable_whole", "makeeditable", Where::WholeParagraph,
                   "<DIV contentEditable=true>alpha beta gamma</DIV><P>second para here</P>",
                   "alpha beta gamma"},
        // Form fields keep the text inside them.
        DesignCase{"textarea_part", "textarea", Where::Beta,
                   "<P>alpha <TEXTAREA name=\"\" rows=\"\" cols=\"\" wrap=\"\">beta</TEXTAREA>"
                   " gamma</P><P>second para here</P>",
                   nullptr},
        DesignCase{"textarea_whole", "textarea", Where::WholeParagraph,
                   "<P><TEXTAREA name=\"\" rows=\"\" cols=\"\" wrap=\"\">alpha beta gamma"
                   "</TEXTAREA></P><P>second para here</P>",
                   nullptr},
        DesignCase{"boxdata_part", "boxdata", Where::Beta,
                   "<P>alpha <OPTION value=\"\">beta</OPTION> gamma</P><P>second para here</P>",
                   nullptr},
        DesignCase{"boxdata_whole", "boxdata", Where::WholeParagraph,
                   "<OPTION value=\"\"><P>alpha beta gamma</P></OPTION><P>second para here</P>",
                   nullptr},
        DesignCase{"combobox_part", "combobox", Where::Beta,
                   "<P>alpha <SELECT name=\"\">beta</SELECT> gamma</P><P>second para here</P>",
                   nullptr},
        // Single elements leave the spaces beside them plain.
        DesignCase{"rule_part", "horizontalrule", Where::Beta,
                   "<P>alpha </P><HR><P> gamma</P><P>second para here</P>", ""},
        DesignCase{"rule_caret", "horizontalrule", Where::CaretBeforeBeta,
                   "<P>alpha </P><HR><P>beta gamma</P><P>second para here</P>", ""},
        DesignCase{"textinput_caret", "textinput", Where::CaretBeforeBeta,
                   "<P>alpha <INPUT type=text name=\"\" value=\"\" size=\"\" maxLength=\"\">beta"
                   " gamma</P><P>second para here</P>",
                   ""},
        DesignCase{"list_part", "unorderedlist", Where::Beta,
                   "<P>alpha </P><UL><LI>beta</LI></UL><P> gamma</P><P>second para here</P>", "beta"},
        DesignCase{"list_caret", "orderedlist", Where::CaretBeforeBeta,
                   "<P>alpha </P><OL><LI>&nbsp;</LI></OL><P>beta gamma</P><P>second para here</P>",
                   "\u00a0"},
        // Line breaks split the line at the caret; a selection is replaced.
        DesignCase{"breakline_caret", "breakline", Where::CaretBeforeBeta,
                   "<P>alpha </P><DIV></DIV><P>beta gamma</P><P>second para here</P>", ""},
        DesignCase{"breakline_part", "breakline", Where::Beta,
                   "<P>alpha </P><DIV></DIV><P> gamma</P><P>second para here</P>", ""},
        DesignCase{"paragraph_caret", "pagebreak", Where::CaretBeforeBeta,
                   "<P>alpha </P><P>beta gamma</P><P>second para here</P>", ""},
        DesignCase{"paragraph_part", "pagebreak", Where::Beta,
                   "<P>alpha </P><P> gamma</P><P>second para here</P>", ""}),
    [](const ::testing::TestParamInfo<DesignCase>& info) { return info.param.row; });

TEST_F(DesignCommandsTest, TypingAtACaretWrapGoesIntoTheNewElementWithoutPlaceholders)
{
    loadBody(QLatin1String(kBody));
    select(Where::CaretBeforeBeta);
    runEditingCommand(QStringLiteral("preformat"), target_);
    js(QStringLiteral("document.execCommand('insertText', false, 'typed')"));
    const QString html = surface_->documentHtml();
    EXPECT_TRUE(html.contains(QStringLiteral("<PRE>typed</PRE>"))) << qPrintable(html);
    EXPECT_FALSE(html.contains(QChar(0x200B)));
}

// Undo takes back the latest edit first, whether the engine or the surface
// made it.
TEST_F(DesignCommandsTest, UndoKeepsTheOrderOfEngineAndSurfaceEdits)
{
    loadBody(QLatin1String(kBody));
    select(Where::CaretBeforeBeta);
    js(QStringLiteral("document.execCommand('insertText', false, 'one ')"));
    const QString typedOnce = body();
    runEditingCommand(QStringLiteral("horizontalrule"), target_);
    const QString withRule = body();
    js(QStringLiteral("document.execCommand('insertText', false, 'two')"));
    ASSERT_TRUE(body().contains(QStringLiteral("two")));

    EXPECT_EQ(surface_->queryStatus(DesignCmd::Undo), DesignStatus::Enabled);
    surface_->execCommand(DesignCmd::Undo);
    EXPECT_EQ(body(), withRule);
    surface_->execCommand(DesignCmd::Undo);
    EXPECT_EQ(body(), typedOnce);
    surface_->execCommand(DesignCmd::Undo);
    EXPECT_EQ(body().toStdString(), kBody);
}

// A hand-written page: lower-case tags, quoted attributes, indentation,
// comments, entities and server-side code.
const char* const kHandPage =
    "<?xml version=\"1.0\"?>\n<!DOCTYPE html>\n<html lang=\"en\">\n  <head>\n"
    "    <title>Hand &amp; made</title>\n    <?php include 'head.php'; ?>\n  </head>\n"
    "  <body class=\"main\">\n    <!-- intro -->\n    <p id=\"one\">First &copy; para</p>\n"
    "    <table>\n      <tr><td>cell</td></tr>\n    </table>\n"
    "    <p id=\"two\">Second <?php echo 1; ?> para</p>\n  </body>\n</html>";

struct SourceEditCase {
    const char* row;
    bool crlf;                 // the page's lines end in CR LF
    const char* edit;          // script run on the page, selection already set
    const char* editedSecond;  // what the second paragraph becomes
};

void PrintTo(const SourceEditCase& c, std::ostream* os)
{
    *os << c.row;
}

class DesignSourceEditTest : public DesignCommandsTest,
                             public ::testing::WithParamInterface<SourceEditCase> {};

// The second paragraph's last text " para", with the caret after "pa".
TEST_P(DesignSourceEditTest, OnlyTheEditedParagraphChanges)
{
    const SourceEditCase& c = GetParam();
    QString text = QLatin1String(kHandPage);
    if (c.crlf)
        text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    loadFile(text);
    EXPECT_EQ(surface_->documentHtml(), text);
    js(QStringLiteral("{ const t = document.getElementById('two').lastChild;"
                      " const r = document.createRange(); r.setStart(t, 3);"
                      " getSelection().removeAllRanges(); getSelection().addRange(r); }"));
    js(QLatin1String(c.edit));
    const QString expected = QString(text).replace(
        QStringLiteral("<p id=\"two\">Second <?php echo 1; ?> para</p>"),
        QLatin1String(c.editedSecond));
    EXPECT_EQ(surface_->documentHtml().toStdString(), expected.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Edits, DesignSourceEditTest,
    ::testing::Values(
        SourceEditCase{"typed_word_lf", false, "document.execCommand('insertText', false, 'word')",
                       "<p id=\"two\">Second <?php echo 1; ?> pawordra</p>"},
        SourceEditCase{"typed_word_crlf", true, "document.execCommand('insertText', false, 'word')",
                       "<p id=\"two\">Second <?php echo 1; ?> pawordra</p>"},
        SourceEditCase{"new_markup_in_program_form", true, "inkSurface.paste('<b>new</b>')",
                       "<p id=\"two\">Second <?php echo 1; ?> pa<B>new</B>ra</p>"},
        SourceEditCase{"attribute_set", false,
                       "document.getElementById('two').setAttribute('align', 'center')",
                       "<p id=\"two\" align=center>Second <?php echo 1; ?> para</p>"}),
    [](const ::testing::TestParamInfo<SourceEditCase>& info) { return info.param.row; });

// A paragraph split around a block keeps its attributes on both halves,
// except the id, which names one element only.
TEST_F(DesignCommandsTest, SplitParagraphKeepsItsIdOnce)
{
    loadBody(QStringLiteral("<P id=x align=center>alpha beta gamma</P>"));
    select(Where::CaretBeforeBeta);
    runEditingCommand(QStringLiteral("horizontalrule"), target_);
    EXPECT_EQ(body(), QStringLiteral("<P id=x align=center>alpha </P><HR><P align=center>beta "
                                     "gamma</P>"));
}

// The program's own form (used for selections, and for a page whose parse
// does not line up with the engine's) writes server-side code back as it was.
TEST_F(DesignCommandsTest, ProgramFormKeepsServerCode)
{
    loadBody(QStringLiteral("<P>a <?php echo 1; ?> b</P>"));
    EXPECT_EQ(surface_->bodyInnerHtml(), QStringLiteral("\r\n<P>a <?php echo 1; ?> b</P>"));
}

}
