// The insert dialogs on the real main window: opened from their menu items,
// filled in, and read back from the Code view.
#include "MainWindowFixture.h"
#include "dialogs/widgets/LinkDialogs.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

using namespace inktest;

namespace {

class InsertDialogsTest : public MainWindowTest {
protected:
    // A page in the Code view whose body is `body`, with `selected` selected.
    void codePageSelecting(const QString& body, const QString& selected)
    {
        doc = codePageWithBody(body);
        const int at = doc->code()->text().indexOf(selected);
        ASSERT_GE(at, 0);
        doc->code()->setSelection(at, at + selected.size());
    }

    template <typename Dialog>
    Dialog* open(const char* command, const char* name)
    {
        main->runCommand(QString::fromLatin1(command));
        pump(50);
        return main->findChild<Dialog*>(QString::fromLatin1(name));
    }

    template <typename Dialog>
    void set(Dialog* dialog, const char* field, const QString& text)
    {
        if (auto* edit = dialog->template findChild<QLineEdit*>(QString::fromLatin1(field)))
            edit->setText(text);
        else if (auto* combo = dialog->template findChild<QComboBox*>(QString::fromLatin1(field)))
            combo->setEditText(text);
        else
            ADD_FAILURE() << "no field " << field;
    }

    void press(QWidget* dialog, const char* button)
    {
        dialog->findChild<QPushButton*>(QString::fromLatin1(button))->click();
        pump(50);
    }

    QString selected() const { return doc->code()->selectedText(); }

    ink::DocumentWindow* doc = nullptr;
};

TEST_F(InsertDialogsTest, HyperlinkTakesTheSelectionAndSelectsTheShownText)
{
    codePageSelecting(QStringLiteral("<P>a sale today</P>"), QStringLiteral("sale"));
    auto* dialog = open<ink::HyperlinkDialog>("link", "frmLink");
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->findChild<QLineEdit*>("Text1")->text(), QStringLiteral("sale"));
    EXPECT_EQ(dialog->findChild<QLineEdit*>("Text1")->accessibleName(), QStringLiteral("Displayed Text"));
    set(dialog, "Text2", QStringLiteral("offers.html"));
    set(dialog, "Text3", QStringLiteral("Our \"best\" offers"));
    set(dialog, "Text5", QStringLiteral("_blank"));
    press(dialog, "Command1");
    EXPECT_TRUE(doc->code()->text().contains(
        QStringLiteral("<P>a <A title=\"Our &quot;best&quot; offers\" href=\"offers.html\" "
                       "target=_blank>sale</A> today</P>")));
    EXPECT_EQ(selected(), QStringLiteral("sale"));
    EXPECT_FALSE(main->findChild<ink::HyperlinkDialog*>("frmLink"));
}

TEST_F(InsertDialogsTest, CancelInsertsNothing)
{
    codePageSelecting(QStringLiteral("<P>a sale today</P>"), QStringLiteral("sale"));
    const QString before = doc->code()->text();
    auto* dialog = open<ink::BookmarkDialog>("bookmark", "frmBookMark");
    ASSERT_TRUE(dialog);
    set(dialog, "Text2", QStringLiteral("top"));
    press(dialog, "Command2");
    EXPECT_EQ(doc->code()->text(), before);
}

TEST_F(InsertDialogsTest, BookmarkLeavesItsTextSelected)
{
    codePageSelecting(QStringLiteral("<P>Contents</P>"), QStringLiteral("Contents"));
    auto* dialog = open<ink::BookmarkDialog>("bookmark", "frmBookMark");
    ASSERT_TRUE(dialog);
    set(dialog, "Text2", QStringLiteral("top"));
    press(dialog, "Command1");
    EXPECT_TRUE(doc->code()->text().contains(QStringLiteral("<P><A name=\"#top\">Contents</A></P>")));
    EXPECT_EQ(selected(), QStringLiteral("Contents"));
}

}
