// Hand-written pages edited in the Design view of the real main window and
// saved: the file differs from the one opened only inside the element the
// user typed in or applied a command to, and one Undo then Save gives back
// the bytes that were opened.
#include "MainWindowFixture.h"
#include "platform/widgets/WebEngineScriptWait.h"

#include <QLineEdit>
#include <QTest>
#include <QWebEngineView>

using namespace inktest;

namespace {

// A table with a paragraph the parser moves out of it, misnested formatting,
// references, server-side code in the title, no character set, LF lines.
const char* const kMisnestedPage =
    "<!DOCTYPE html>\n<html>\n<head>\n<title><?= htmlspecialchars($title) ?></title>\n</head>\n"
    "<body bgcolor=\"white\" TEXT='black'>\n<table>\n<tr><p>stray</p><td>cell</td></tr>\n</table>\n"
    "<p id=\"m\"><b>bold <i>and italic</b> text</i></p>\n"
    "<p id=\"c\">Caf&eacute; au lait &mdash; served &#169; 2020</p>\n"
    "<p id=\"f\">Final paragraph.</p>\n</body>\n</html>\n";

// Upper-case tags, unquoted and single-quoted attributes, CR LF lines.
#define MANUAL_LINK "<A HREF=\"Using-libffi.html\" accesskey=\"u\" rel=\"up\">Using</A>"
#define MANUAL_S "<P ID=s class='x'>Up: " MANUAL_LINK " and <code>ffi_call</code> here</P>"
const char* const kManualPage =
    "<HTML>\r\n<HEAD><TITLE>Manual &amp; notes</TITLE>\r\n"
    "<META http-equiv=Content-Type content='text/html; charset=utf-8'></HEAD>\r\n"
    "<BODY>\r\n" MANUAL_S "\r\n<P id=t>Caf\xC3\xA9\r\nnext line</P>\r\n"
    "</BODY>\r\n</HTML>\r\n";

// Selections for commands, over the paragraph `p` and its first text `t`.
const char* const kWholeParagraph = "r.selectNodeContents(p)";
// "Up: " and the whole link after it.
const char* const kTextAndLink = "r.setStart(t, 0); r.setEnd(p.childNodes[1].firstChild, 5)";
// From inside the link to inside the next paragraph's first line.
const char* const kIntoNextParagraph =
    "r.setStart(p.childNodes[1].firstChild, 2);"
    " r.setEnd(document.getElementById('t').firstChild, 3)";

struct FidelityCase {
    const char* row;
    const char* page;
    const char* id;       // the paragraph edited
    int offset;           // where in its first text the caret goes
    const char* typed;    // typed there, or nullptr
    const char* command;  // then applied to the paragraph's first text, or nullptr
    const char* edited;   // the paragraph afterwards, or nullptr: only its place is checked
    bool splits = false;  // Enter is pressed at the offset: the elements moved keep their text
    // Where the command finds the selection, as script over the paragraph `p` and its
    // first text `t` (a range `r` to set), instead of the first text's start to offset + 3.
    const char* selection = nullptr;
    const char* lastId = nullptr;  // the command reaches to the end of this paragraph too
};

void PrintTo(const FidelityCase& c, std::ostream* os)
{
    *os << c.row;
}

class SourceFidelity : public MainWindowTest, public ::testing::WithParamInterface<FidelityCase> {
protected:

    QString paragraphText(const char* id) const
    {
        return js(QStringLiteral("document.getElementById('%1').textContent").arg(QLatin1String(id)))
            .toString();
    }

    void selectByScript(const char* id, const char* how) const
    {
        js(QStringLiteral("{ const p = document.getElementById('%1'); const t = p.firstChild;"
                          " const r = document.createRange(); %2;"
                          " getSelection().removeAllRanges(); getSelection().addRange(r); }")
               .arg(QLatin1String(id), QLatin1String(how)));
    }

    void selectInParagraph(const char* id, int from, int to) const
    {
        js(QStringLiteral("{ const t = document.getElementById('%1').firstChild;"
                          " const r = document.createRange(); r.setStart(t, %2); r.setEnd(t, %3);"
                          " getSelection().removeAllRanges(); getSelection().addRange(r); }")
               .arg(QLatin1String(id))
               .arg(from)
               .arg(to));
    }
};

// The bytes of the paragraph with this id attribute, from its start tag to
// the end of its end tag.
std::pair<qsizetype, qsizetype> paragraphSpan(const QByteArray& page, const char* id)
{
    qsizetype start = page.indexOf(QByteArray("id=\"") + id + '"');
    if (start < 0)
        start = page.indexOf(QByteArray("ID=") + id);
    if (start < 0)
        start = page.indexOf(QByteArray("id=") + id);
    start = page.lastIndexOf('<', start);
    return {start, page.toUpper().indexOf("</P>", start) + 4};
}

TEST_P(SourceFidelity, OnlyTheEditedParagraphChangesAndUndoGivesTheFileBack)
{
    const FidelityCase& c = GetParam();
    const QByteArray original(c.page);
    const QString path = writePage(QStringLiteral("page.html"), original);
    openFile(path);
    ASSERT_TRUE(slotOf(active()).designViewShown);
    focusPage();
    const QString before = paragraphText(c.id);
    selectInParagraph(c.id, c.offset, c.offset);
    if (c.typed) {
        const QString typed = QString::fromUtf8(c.typed);
        // Key clicks carry ASCII only; other letters come as the engine's own input.
        if (typed.toLatin1() == QByteArray(c.typed))
            QTest::keyClicks(active()->design()->widget()->focusProxy(), typed);
        else
            js(QStringLiteral("document.execCommand('insertText', false, '%1')").arg(typed));
        ASSERT_TRUE(waitUntil([&] { return paragraphText(c.id) != before; }));
    }
    if (c.splits) {
        QTest::keyClick(active()->design()->widget()->focusProxy(), Qt::Key_Return);
        ASSERT_TRUE(waitUntil([&] { return paragraphText(c.id) != before; }));
    }
    if (c.command) {
        if (c.selection)
            selectByScript(c.id, c.selection);
        else
            selectInParagraph(c.id, 0, c.offset + 3);
        main->runCommand(QLatin1String(c.command));
        pump(50);
    }
    ASSERT_TRUE(main->files().save());
    const QByteArray saved = readBytes(path);
    const qsizetype start = paragraphSpan(original, c.id).first;
    const qsizetype end = paragraphSpan(original, c.lastId ? c.lastId : c.id).second;
    EXPECT_EQ(saved.left(start).toStdString(), original.left(start).toStdString());
    EXPECT_TRUE(saved.endsWith(original.mid(end))) << saved.toStdString();
    if (c.splits) {
        EXPECT_TRUE(saved.contains("<A HREF=\"Using-libffi.html\" accesskey=\"u\" rel=\"up\">Using</A> "
                                   "and <code>ffi_call</code> here"))
            << saved.toStdString();
    }
    if (c.edited) {
        const QByteArray expected = original.left(start) + c.edited + original.mid(end);
        EXPECT_EQ(saved.toStdString(), expected.toStdString());
    }

    main->runCommand(QStringLiteral("undo"));
    pump(50);
    if (c.typed && c.command) {
        main->runCommand(QStringLiteral("undo"));
        pump(50);
    }
    ASSERT_TRUE(waitUntil([&] { return paragraphText(c.id) == before; }));
    ASSERT_TRUE(main->files().save());
    EXPECT_EQ(readBytes(path).toStdString(), original.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Pages, SourceFidelity,
    ::testing::Values(
        FidelityCase{"word_after_misnested_and_foster_parented_content", kMisnestedPage, "f", 0,
                     "New ", nullptr, "<p id=\"f\">New Final paragraph.</p>"},
        FidelityCase{"word_before_references_on_undeclared_page", kMisnestedPage, "c", 0,
                     "Hot ", nullptr,
                     "<p id=\"c\">Hot Caf&eacute; au lait &mdash; served &#169; 2020</p>"},
        FidelityCase{"accent_typed_on_undeclared_page", kMisnestedPage, "f", 5, "\xC3\xA9",
                     nullptr, "<p id=\"f\">Final&#233; paragraph.</p>"},
        FidelityCase{"word_in_crlf_paragraph_with_a_line_break", kManualPage, "t", 4, " au lait",
                     nullptr, "<P id=t>Caf\xC3\xA9 au lait\r\nnext line</P>"},
        FidelityCase{"bold_on_part_of_a_paragraph_with_a_link", kManualPage, "s", 1, nullptr,
                     "bold", nullptr},
        FidelityCase{"enter_splits_a_paragraph_with_a_link", kManualPage, "s", 2, nullptr, nullptr,
                     nullptr, true},
        FidelityCase{"unordered_list_on_a_paragraph_with_a_link", kManualPage, "s", 1, nullptr,
                     "unorderedlist", nullptr},
        FidelityCase{"unordered_list_on_a_whole_paragraph", kManualPage, "s", 0, nullptr,
                     "unorderedlist", "<UL>\r\n<LI>" MANUAL_S "</LI>\r\n</UL>", false,
                     kWholeParagraph},
        FidelityCase{"ordered_list_on_a_whole_paragraph", kManualPage, "s", 0, nullptr,
                     "orderedlist", "<OL>\r\n<LI>" MANUAL_S "</LI>\r\n</OL>", false,
                     kWholeParagraph},
        FidelityCase{"make_editable_on_a_whole_paragraph", kManualPage, "s", 0, nullptr,
                     "makeeditable", "<DIV contentEditable=true>" MANUAL_S "</DIV>", false,
                     kWholeParagraph},
        FidelityCase{"preformat_on_text_and_a_whole_link", kManualPage, "s", 0, nullptr,
                     "preformat",
                     "<PRE>Up: " MANUAL_LINK "</PRE><P ID=s class='x'> and <code>ffi_call</code>"
                     " here</P>",
                     false, kTextAndLink},
        FidelityCase{"rule_at_the_start_of_a_paragraph", kManualPage, "s", 0, nullptr,
                     "horizontalrule", "<HR>" MANUAL_S, false, "r.setStart(t, 0)"},
        FidelityCase{"bold_across_two_paragraphs", kManualPage, "s", 0, nullptr, "bold",
                     "<P ID=s class='x'>Up: <A HREF=\"Using-libffi.html\" accesskey=\"u\" rel=\"up\">"
                     "Us<B>ing</B></A><B> and <code>ffi_call</code> here</B></P>\r\n"
                     "<P id=t><B>Caf</B>\xC3\xA9\r\nnext line</P>",
                     false, kIntoNextParagraph, "t"}),
    [](const ::testing::TestParamInfo<FidelityCase>& info) { return info.param.row; });

// Switching views does not write the title; only a title the user changed
// is written, and then as typed.
TEST_F(MainWindowTest, ServerCodeInTheTitleSurvivesViewSwitchesAndSaving)
{
    const QByteArray original(kMisnestedPage);
    const QString path = writePage(QStringLiteral("title.php.html"), original);
    nextFileAnswer = {path};
    main->runCommand("open");
    ink::DocumentWindow* w = active();
    ASSERT_NE(w, nullptr);
    waitIdle(w);
    w->switchToCode();
    w->switchToDesign();
    waitIdle(w);
    w->switchToCode();
    ASSERT_TRUE(main->files().save());
    EXPECT_EQ(readBytes(path).toStdString(), original.toStdString());

    w->titleBox()->setText(w->titleBox()->text() + QStringLiteral(" & co"));
    w->titleBox()->setModified(true);
    w->applyTitle();
    ASSERT_TRUE(main->files().save());
    QByteArray expected = original;
    expected.replace("?></title>", "?> & co</title>");
    EXPECT_EQ(readBytes(path).toStdString(), expected.toStdString());
}

}

namespace {

// The page colour set in the Design view on a page whose body began
// before its tag (a directive before <html>): the page's own body tag
// takes the colour, its other attributes and the directive as written.
TEST_F(MainWindowTest, PageColourChangesOnlyTheBodysColour)
{
    const QByteArray page = "<%@ Language=VBScript %>\n<html>\n<head>\n<title>T</title>\n</head>\n"
                            "<body Text='black'>\n<p>x</p>\n</body>\n</html>\n";
    const QString path = writePage(QStringLiteral("colour.asp.html"), page);
    openFile(path);
    ASSERT_TRUE(slotOf(active()).designViewShown);
    active()->design()->setBgColor(QStringLiteral("#ff0000"));
    ASSERT_TRUE(main->files().save());
    QByteArray expected = page;
    expected.replace("<body Text='black'>", "<body Text='black' bgColor=#ff0000>");
    EXPECT_EQ(readBytes(path).toStdString(), expected.toStdString());
}

}
