// The caret and the selection follow the user between the Design and Code
// views of the real window.
#include "MainWindowFixture.h"

#include "platform/widgets/WebEngineScriptWait.h"

#include <Qsci/qsciscintilla.h>
#include <QWebEngineView>

using namespace inktest;

class ViewSelection : public MainWindowTest {
protected:
    ink::DocumentWindow* openPage(const QByteArray& bytes)
    {
        nextFileAnswer = {writePage(QStringLiteral("page.html"), bytes)};
        main->runCommand("open");
        ink::DocumentWindow* w = active();
        if (w)
            waitIdle(w);
        return w;
    }

    QVariant js(const QString& script) const
    {
        auto* view = static_cast<QWebEngineView*>(active()->design()->widget());
        return ink::runScriptAndWait(view->page(), script, 5000);
    }

    // Selects characters [from, to) of the first text of the element `id`
    // (to < 0: the element itself).
    void selectInDesign(const char* id, int from, int to) const
    {
        const QString target = QStringLiteral("document.getElementById('%1')").arg(QLatin1String(id));
        if (to < 0)
            js(QStringLiteral("{ const r = document.createRange(); r.selectNode(%1);"
                              " getSelection().removeAllRanges(); getSelection().addRange(r); }")
                   .arg(target));
        else
            js(QStringLiteral("getSelection().setBaseAndExtent(%1.firstChild, %2, %1.firstChild, %3)")
                   .arg(target)
                   .arg(from)
                   .arg(to));
    }

    QString designSelectedText() const { return js("getSelection().toString()").toString(); }

    // Where the code editor shows its caret: first line shown, caret line,
    // lines on screen.
    struct CodeView {
        long first;
        long caret;
        long shown;
    };
    CodeView codeView() const
    {
        auto* sci = qobject_cast<QsciScintilla*>(active()->code()->widget());
        if (!sci)
            return {-1, -1, 0};
        const long caret = sci->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS);
        return {sci->SendScintilla(QsciScintillaBase::SCI_GETFIRSTVISIBLELINE),
                sci->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, caret),
                sci->SendScintilla(QsciScintillaBase::SCI_LINESONSCREEN)};
    }

    void selectInCode(const QString& text, int occurrence = 0)
    {
        const QString code = active()->code()->text();
        int at = -1;
        for (int i = 0; i <= occurrence; ++i)
            at = code.indexOf(text, at + 1);
        ASSERT_GE(at, 0) << text.toStdString();
        active()->code()->setSelection(at, at + text.size());
    }
};

TEST_F(ViewSelection, WordSelectedInDesignIsSelectedInCodeAndBack)
{
    ink::DocumentWindow* w =
        openPage("<HTML><BODY>\r\n<P id=a>caf&eacute; alpha beta</P>\r\n<P>gamma</P>\r\n"
                 "</BODY></HTML>");
    ASSERT_NE(w, nullptr);
    selectInDesign("a", 5, 10);
    w->switchToCode();
    EXPECT_EQ(w->code()->selectedText(), "alpha");
    const int alpha = w->code()->text().indexOf("alpha");
    EXPECT_EQ(w->code()->selectionAnchor(), alpha);
    EXPECT_EQ(w->code()->caretPosition(), alpha + 5);

    selectInCode("gamma");
    w->switchToDesign();
    waitIdle(w);
    EXPECT_EQ(designSelectedText(), "gamma");
}

TEST_F(ViewSelection, CaretAfterAnEntityAndInsideATag)
{
    ink::DocumentWindow* w = openPage("<HTML><BODY><P id=a>caf&eacute;! x <IMG SRC=\"none.png\" "
                                      "id=i ALT=pic> y</P></BODY></HTML>");
    ASSERT_NE(w, nullptr);
    selectInDesign("a", 4, 4);
    w->switchToCode();
    const QString code = w->code()->text();
    EXPECT_EQ(w->code()->caretPosition(), code.indexOf("&eacute;") + 8);
    EXPECT_EQ(w->code()->selectedText(), "");

    // A caret inside the image's tag selects the image.
    const int inTag = code.indexOf("SRC=");
    w->code()->setSelection(inTag, inTag);
    w->switchToDesign();
    waitIdle(w);
    EXPECT_EQ(w->design()->selectionType(), "Control");
    EXPECT_TRUE(w->design()->controlOuterHtml().startsWith("<IMG")) << w->design()->controlOuterHtml().toStdString();
}

TEST_F(ViewSelection, ImageSelectedInDesignSelectsItsTag)
{
    ink::DocumentWindow* w =
        openPage("<HTML><BODY><P>x <IMG SRC=\"none.png\" id=i ALT=\"a &amp; b\"> y</P></BODY></HTML>");
    ASSERT_NE(w, nullptr);
    selectInDesign("i", 0, -1);
    w->switchToCode();
    EXPECT_EQ(w->code()->selectedText(), "<IMG SRC=\"none.png\" id=i ALT=\"a &amp; b\">");
}

TEST_F(ViewSelection, SelectionAfterAnEditInTheDesignView)
{
    ink::DocumentWindow* w =
        openPage("<HTML><BODY><P id=a>alpha beta</P><P id=b>gamma delta</P></BODY></HTML>");
    ASSERT_NE(w, nullptr);
    // Typed text before the selection moves it along in the source.
    js("{ const t = document.getElementById('a').firstChild;"
       " getSelection().setBaseAndExtent(t, 0, t, 0);"
       " document.execCommand('insertText', false, 'new & '); }");
    selectInDesign("b", 6, 11);
    w->switchToCode();
    EXPECT_TRUE(w->code()->text().contains("new &amp; alpha"));
    EXPECT_EQ(w->code()->selectedText(), "delta");

    // Back, with the Design view's edits still its own.
    selectInCode("beta");
    w->switchToDesign();
    waitIdle(w);
    EXPECT_EQ(designSelectedText(), "beta");
    // In the edited text itself.
    w->switchToCode();
    EXPECT_EQ(w->code()->selectedText(), "beta");
    selectInCode("new &amp; al");
    w->switchToDesign();
    waitIdle(w);
    EXPECT_EQ(designSelectedText(), "new & al");
}

TEST_F(ViewSelection, SelectionAfterAnEditInTheCodeView)
{
    ink::DocumentWindow* w =
        openPage("<HTML><BODY><P id=a>alpha beta</P><P id=b>gamma delta</P></BODY></HTML>");
    ASSERT_NE(w, nullptr);
    w->switchToCode();
    QString text = w->code()->text();
    text.replace("gamma", "<B>bold</B> gamma");
    w->code()->setText(text);
    selectInCode("delta");
    w->switchToDesign();
    waitIdle(w);
    pump(100);
    EXPECT_EQ(designSelectedText(), "delta");
}

TEST_F(ViewSelection, LongPageSelectionHalfWayDownIsShown)
{
    QByteArray page = "<HTML><BODY>\r\n";
    for (int i = 0; i < 7000; ++i)
        page += "<P>Paragraph number " + QByteArray::number(i) + " of the long page.</P>\r\n";
    page += "</BODY></HTML>";
    ink::DocumentWindow* w = openPage(page);
    ASSERT_NE(w, nullptr);
    w->switchToCode();
    selectInCode("number 3500 ");
    w->switchToDesign();
    waitIdle(w);
    pump(200);
    EXPECT_EQ(designSelectedText(), "number 3500 ");
    const QVariant top = js("getSelection().getRangeAt(0).getBoundingClientRect().top");
    EXPECT_GT(top.toDouble(), 0);
    EXPECT_LT(top.toDouble(), js("innerHeight").toDouble());

    js("{ const p = document.body.querySelectorAll('p')[5200].firstChild;"
       " getSelection().setBaseAndExtent(p, 0, p, 9); }");
    w->switchToCode();
    EXPECT_EQ(w->code()->selectedText(), "Paragraph");
    const CodeView view = codeView();
    EXPECT_GE(view.caret, view.first);
    EXPECT_LT(view.caret, view.first + view.shown);

    // A switch with no new selection leaves each view where it was.
    w->switchToDesign();
    waitIdle(w);
    w->switchToCode();
    EXPECT_EQ(codeView().first, view.first);

    // An edit of one paragraph, laid into the shown page in place.
    QString text = w->code()->text();
    text.replace("number 4000 of", "number 4000 (edited) of");
    w->code()->setText(text);
    selectInCode("(edited)");
    w->switchToDesign();
    waitIdle(w);
    pump(100);
    EXPECT_EQ(designSelectedText(), "(edited)");
    EXPECT_EQ(js("document.body.querySelectorAll('p')[4000].textContent").toString(),
              "Paragraph number 4000 (edited) of the long page.");
}

TEST_F(ViewSelection, BrowserViewKeepsTheSelectionForTheReturn)
{
    ink::DocumentWindow* w = openPage("<HTML><BODY><P id=a>one two three</P></BODY></HTML>");
    ASSERT_NE(w, nullptr);
    selectInDesign("a", 4, 7);
    w->switchToPreview();
    pump(100);
    w->switchToCode();
    EXPECT_EQ(w->code()->selectedText(), "two");
    selectInCode("three");
    w->switchToPreview();
    pump(100);
    w->switchToDesign();
    waitIdle(w);
    EXPECT_EQ(designSelectedText(), "three");
}

// A page over a megabyte edited in the Design view: the selection is placed
// in the text written for it, a caret inside new markup stays inside it, and
// a selection made in the Code view comes back to the edited page.
TEST_F(ViewSelection, SelectionAfterADesignEditOnAPageOverAMegabyte)
{
    QByteArray page = "<HTML><BODY>\r\n";
    for (int i = 0; i < 24000; ++i)
        page += "<P>Paragraph number " + QByteArray::number(i) + " of the long page.</P>\r\n";
    page += "</BODY></HTML>";
    ASSERT_GT(page.size(), 1 << 20);
    ink::DocumentWindow* w = openPage(page);
    ASSERT_NE(w, nullptr);
    js("{ const t = document.body.querySelectorAll('p')[12000].firstChild;"
       " getSelection().setBaseAndExtent(t, 9, t, 9);"
       " document.execCommand('insertText', false, ' & more'); }");
    js("{ const t = document.body.querySelectorAll('p')[15000].firstChild;"
       " getSelection().setBaseAndExtent(t, 17, t, 22); }");
    w->switchToCode();
    EXPECT_TRUE(w->code()->text().contains("<P>Paragraph &amp; more number 12000 of"));
    EXPECT_EQ(w->code()->selectedText(), "15000");
    const CodeView view = codeView();
    EXPECT_GE(view.caret, view.first);
    EXPECT_LT(view.caret, view.first + view.shown);

    w->switchToDesign();
    waitIdle(w);
    js("{ const t = document.body.querySelectorAll('p')[16000].firstChild;"
       " getSelection().setBaseAndExtent(t, 0, t, 0);"
       " document.execCommand('insertHTML', false, '<b>bold</b>');"
       " const b = document.querySelector('b').firstChild;"
       " getSelection().setBaseAndExtent(b, 2, b, 2); }");
    w->switchToCode();
    const QString code = w->code()->text();
    const int bold = int(code.indexOf(QStringLiteral("bold</B>"), 0, Qt::CaseInsensitive));
    ASSERT_GE(bold, 0);
    EXPECT_EQ(w->code()->caretPosition(), bold + 2);
    EXPECT_TRUE(w->code()->text().contains("Paragraph &amp; more number 12000"));

    // And back, on the edited page: a word selected in the Code view.
    selectInCode("20000");
    w->switchToDesign();
    waitIdle(w);
    EXPECT_EQ(designSelectedText(), "20000");
    // And a word of the text the Design edit wrote.
    w->switchToCode();
    selectInCode("more");
    w->switchToDesign();
    waitIdle(w);
    EXPECT_EQ(designSelectedText(), "more");
}
