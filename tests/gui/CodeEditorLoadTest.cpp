// A long page opened into a hidden code editor goes into the widget from a
// worker thread: the editor must answer for the page at once, and end up
// exactly as if the page had been set on the window's thread.
#include "GuiTestSupport.h"
#include "platform/widgets/ScintillaCodeEditor.h"

#include <QVBoxLayout>
#include <QWidget>
#include <Qsci/qsciscintilla.h>
#include <gtest/gtest.h>

#include <memory>

using namespace ink;

namespace {

using Sci = QsciScintillaBase;

// About 150 KB of mixed markup: tags, attributes, entities, comments,
// script and style, characters outside ASCII, tabs and CR LF line ends.
QString longPage()
{
    QString page = QStringLiteral("<HTML><HEAD><style>p { color: red }</style></HEAD><BODY>\r\n");
    for (int i = 0; page.size() < 150000; ++i) {
        page += QStringLiteral("<P class=\"c%1\">caf\u00e9 \u65e5\U0001F600 &amp; <B>bold</B>\t<!-- note -->\r\n"
                               "<script>var a%1 = '<p>';</script></P>\r\n")
                    .arg(i);
    }
    return page + QStringLiteral("</BODY></HTML>\r\n");
}

struct Editor {
    explicit Editor(bool shown)
    {
        host = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(host.get());
        editor = new ScintillaCodeEditor(host.get());
        layout->addWidget(editor->widget());
        editor->applyFixedAppearance();
        host->resize(600, 300);
        if (shown)
            host->show();
        QObject::connect(editor, &CodeEditor::textChanged, [this] { ++textChanges; });
    }
    QsciScintilla* view() const { return static_cast<QsciScintilla*>(editor->widget()); }
    long send(unsigned int message, unsigned long wParam = 0, long lParam = 0) const
    {
        return view()->SendScintilla(message, wParam, lParam);
    }

    std::unique_ptr<QWidget> host;
    ScintillaCodeEditor* editor = nullptr;
    int textChanges = 0;
};

// Everything the widget keeps per document that the program relies on.
void expectSameDocument(const Editor& loaded, const Editor& set)
{
    for (unsigned int message : {Sci::SCI_GETLENGTH, Sci::SCI_GETLINECOUNT, Sci::SCI_GETCODEPAGE,
                                 Sci::SCI_GETEOLMODE, Sci::SCI_GETTABWIDTH, Sci::SCI_GETLEXER,
                                 Sci::SCI_GETREADONLY, Sci::SCI_CANUNDO, Sci::SCI_GETMODIFY}) {
        EXPECT_EQ(loaded.send(message), set.send(message)) << "message " << message;
    }
    const auto wordChars = [](const Editor& e) {
        QByteArray chars(int(e.send(Sci::SCI_GETWORDCHARS)), '\0');
        e.view()->SendScintilla(Sci::SCI_GETWORDCHARS, 0ul, chars.data());
        return chars;
    };
    EXPECT_EQ(wordChars(loaded), wordChars(set));
    // The whole page coloured by each: the same lexer, keywords and
    // properties give the same style to every byte.
    loaded.send(Sci::SCI_COLOURISE, 0, -1);
    set.send(Sci::SCI_COLOURISE, 0, -1);
    const long length = set.send(Sci::SCI_GETLENGTH);
    long differing = 0;
    for (long i = 0; i < length; ++i)
        differing += loaded.send(Sci::SCI_GETSTYLEAT, i) != set.send(Sci::SCI_GETSTYLEAT, i);
    EXPECT_EQ(differing, 0);
}

} // namespace

TEST(CodeEditorLoadTest, ALongPageOpenedWhileHiddenAnswersAtOnceAndEndsAsIfSetDirectly)
{
    const QString page = longPage();
    const QByteArray utf8 = page.toUtf8();
    Editor set(true);
    set.editor->setOpenedText(page, utf8);
    Editor loaded(false);
    loaded.editor->setOpenedText(page, utf8);

    // Before the widget has the page: the text, its bytes, the change and
    // the caret are answered, and textChanged has been raised once.
    EXPECT_EQ(loaded.textChanges, 1);
    EXPECT_EQ(loaded.editor->text(), page);
    EXPECT_EQ(loaded.editor->utf8View().value_or(QByteArrayView()), QByteArrayView(utf8));
    EXPECT_EQ(loaded.editor->textRange(-5, 40), page.left(40));
    EXPECT_EQ(loaded.editor->textRange(page.size() - 10, page.size() + 99), page.right(10));
    const CodeEditor::Change change = loaded.editor->lastChange();
    EXPECT_EQ(change.start, 0);
    EXPECT_EQ(change.end, page.size());
    EXPECT_EQ(loaded.editor->selectedBytes(), (SourceRange{0, 0}));

    // Anything else puts the page into the widget first.
    EXPECT_EQ(loaded.editor->caretPosition(), 0);
    EXPECT_EQ(loaded.send(Sci::SCI_GETLENGTH), utf8.size());
    expectSameDocument(loaded, set);
    inktest::pump(50);
    EXPECT_EQ(loaded.textChanges, 1) << "putting the page in is no change of the text";

    // Undo history starts at the page; typing and undo work on it.
    loaded.editor->undo();
    EXPECT_EQ(loaded.editor->text(), page);
    loaded.editor->setSelection(6, 6);
    loaded.editor->replaceSelectedText(QStringLiteral("\u00e9x"));
    EXPECT_EQ(loaded.editor->text(), page.left(6) + QStringLiteral("\u00e9x") + page.mid(6));
    EXPECT_EQ(loaded.editor->lastChange().start, 6);
    loaded.editor->undo();
    EXPECT_EQ(loaded.editor->text(), page);
}

TEST(CodeEditorLoadTest, TheWorkersEndOrTheEditorsShowingPutsThePageIn)
{
    const QString page = longPage();
    const QByteArray utf8 = page.toUtf8();
    {
        Editor loaded(false);
        loaded.editor->setOpenedText(page, utf8);
        // The event loop alone brings it in once the worker is done.
        EXPECT_TRUE(inktest::waitUntil([&] { return loaded.send(Sci::SCI_GETLENGTH) == utf8.size(); }));
    }
    {
        Editor loaded(false);
        loaded.editor->setOpenedText(page, utf8);
        // Shown before the event loop turns: the widget never paints empty.
        loaded.host->show();
        EXPECT_EQ(loaded.send(Sci::SCI_GETLENGTH), utf8.size());
        EXPECT_EQ(QByteArray(loaded.view()->text().toUtf8()), utf8);
    }
}

TEST(CodeEditorLoadTest, AnEditorGoneWhileItsPageLoadsLeavesNothingBehind)
{
    const QString page = longPage().repeated(20);
    {
        Editor loaded(false);
        loaded.editor->setOpenedText(page, page.toUtf8());
    }
    // The worker's call back to the editor is dropped with the editor.
    inktest::pump(100);
    Editor again(false);
    again.editor->setOpenedText(page, page.toUtf8());
    EXPECT_EQ(again.editor->caretPosition(), 0);
    EXPECT_EQ(again.send(Sci::SCI_GETLENGTH), page.toUtf8().size());
}
