// The Style menu on the real main window: rules written with the options,
// the CSS dialogs, New Style, and importing and exporting style sheets.
#include "MainWindowFixture.h"
#include "colourfont/widgets/ColourDialog.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace inktest;

class StyleMenu : public MainWindowTest {
protected:
    void TearDown() override
    {
        ink::setColourTestResponder(nullptr);
        MainWindowTest::TearDown();
    }

    // A Code view page holding only `text`, with [anchor, caret) selected.
    ink::CodeEditor* codeWith(const QString& text, int anchor, int caret)
    {
        ink::DocumentWindow* w = newPage();
        w->switchToCode();
        w->code()->setText(text);
        w->code()->setSelection(anchor, caret);
        return w->code();
    }

    void trigger(const char* name)
    {
        QAction* a = main->action(QString::fromLatin1(name));
        ASSERT_NE(a, nullptr) << name;
        a->trigger();
    }

    QDialog* dialog(const char* name)
    {
        QDialog* d = main->findChild<QDialog*>(QString::fromLatin1(name));
        return d && d->isVisible() ? d : nullptr;
    }

    static void click(QDialog* d, const char* control)
    {
        auto* button = d->findChild<QAbstractButton*>(QString::fromLatin1(control));
        ASSERT_NE(button, nullptr) << control;
        button->click();
        pump(30);
    }
};

struct MenuCase {
    const char* row;
    std::vector<const char*> optionClicks;
    const char* command;
    const char* text;     // the whole page text afterwards
    const char* selected; // the selected text afterwards
    int caret;
};

TEST_F(StyleMenu, PropertyCommandsFollowTheOptions)
{
    const MenuCase cases[] = {
        {"first start: tag rule", {}, "styleboxmargin", "<tag{margin:1}>", "tag", 4},
        {"id apply", {"idapply"}, "styletextlineheight", "<#id{line-height:5}>", "id", 4},
        {"class apply", {"classapply"}, "styleboxfontsfontstyle", "<.class{font-style:italic}>", "class", 7},
        {"style= alone", {"styleequals"}, "borderwidth", "<style=\"border-width:1\">", "", 23},
        {"nothing checked", {"insertbrackets", "tagapply"}, "styletextletterspacing", "<letter-spacing:5>", "", 17},
        {"brackets after tag unchecked", {"tagapply"}, "styleboxpadding", "<{padding:1}>", "", 12},
    };
    for (const MenuCase& c : cases) {
        SCOPED_TRACE(c.row);
        closeMain();
        QFile::remove(programDir.filePath("state/settings2.ini"));
        startMain();
        // The selection "SEL" is replaced, not wrapped.
        ink::CodeEditor* code = codeWith("<SEL>", 1, 4);
        for (const char* option : c.optionClicks)
            trigger(option);
        trigger(c.command);
        EXPECT_EQ(code->text().toStdString(), c.text);
        EXPECT_EQ(code->selectedText().toStdString(), c.selected);
        EXPECT_EQ(code->caretPosition(), c.caret);
    }
}

TEST_F(StyleMenu, OptionClicksFollowTheRulesAndSurviveARestart)
{
    trigger("styleequals");
    EXPECT_FALSE(main->action("insertbrackets")->isChecked());
    EXPECT_FALSE(main->action("tagapply")->isChecked());
    trigger("idapply");
    EXPECT_TRUE(main->action("idapply")->isChecked());
    EXPECT_TRUE(main->action("insertbrackets")->isChecked());
    EXPECT_FALSE(main->action("styleequals")->isChecked());
    ASSERT_TRUE(closeMain());
    startMain();
    EXPECT_TRUE(main->action("idapply")->isChecked());
    EXPECT_TRUE(main->action("insertbrackets")->isChecked());
    EXPECT_FALSE(main->action("tagapply")->isChecked());
    ink::CodeEditor* code = codeWith("", 0, 0);
    trigger("stylespecialliststyleimage");
    EXPECT_EQ(code->text(), "#id{list-style-image:image.jpg}");
    EXPECT_EQ(code->selectedText(), "id");
}

TEST_F(StyleMenu, ClickDialogStartsWithNoChoiceAndOneClickWrites)
{
    ink::CodeEditor* code = codeWith("x", 1, 1);
    trigger("borderstyle");
    QPointer<QDialog> d = dialog("frmborderstyle");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->windowTitle(), "Border Style");
    EXPECT_EQ(QApplication::activeModalWidget(), d.data());
    const QList<QRadioButton*> choices = d->findChildren<QRadioButton*>();
    EXPECT_EQ(choices.size(), 8);
    for (QRadioButton* choice : choices) {
        EXPECT_FALSE(choice->isChecked()) << choice->text().toStdString();
        EXPECT_EQ(choice->accessibleName(), choice->text());
    }
    click(d, "Option1");
    EXPECT_TRUE(waitUntil([&] { return d.isNull(); }));
    EXPECT_EQ(code->text(), "xtag{border:solid}");
    EXPECT_EQ(code->selectedText(), "tag");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(StyleMenu, ClosingADialogWritesNothing)
{
    ink::CodeEditor* code = codeWith("x", 1, 1);
    trigger("cursor");
    QPointer<QDialog> d = dialog("frmcursor");
    ASSERT_TRUE(d);
    d->close();
    EXPECT_TRUE(waitUntil([&] { return d.isNull(); }));
    EXPECT_EQ(code->text(), "x");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    trigger("styleboxfontsfontsize");
    d = dialog("frmfontsize");
    ASSERT_TRUE(d);
    QTest::keyClick(d, Qt::Key_Escape);
    EXPECT_TRUE(waitUntil([&] { return d.isNull(); }));
    EXPECT_EQ(code->text(), "x");
}

TEST_F(StyleMenu, BackgroundColourAsksForTheColour)
{
    ink::CodeEditor* code = codeWith("", 0, 0);
    ink::setColourTestResponder([](ink::ColourValue) { return ink::colourValue(255, 0, 0); });
    trigger("stylecolorsbackgroundcolor");
    QPointer<QDialog> d = dialog("frmbackgroundcolor");
    ASSERT_TRUE(d);
    click(d, "Option1");
    EXPECT_TRUE(waitUntil([&] { return d.isNull(); }));
    EXPECT_EQ(code->text(), "tag{background-color:#ff0000}");

    // A cancelled colour dialog writes nothing and still closes the dialog.
    code->setText(QString());
    ink::setColourTestResponder([](ink::ColourValue) { return std::optional<ink::ColourValue>(); });
    trigger("stylecolorsbackgroundcolor");
    d = dialog("frmbackgroundcolor");
    ASSERT_TRUE(d);
    click(d, "Option1");
    EXPECT_TRUE(waitUntil([&] { return d.isNull(); }));
    EXPECT_EQ(code->text(), "");
}

TEST_F(StyleMenu, ColourCommandsUnderClassApply)
{
    ink::CodeEditor* code = codeWith("", 0, 0);
    trigger("classapply");
    ink::setColourTestResponder([](ink::ColourValue) { return ink::colourValue(0x33, 0x66, 0x99); });
    trigger("bordercolor");
    EXPECT_EQ(code->text(), ".class{border-color:#336699}");
    EXPECT_EQ(code->selectedText(), "class");
    ink::setColourTestResponder([](ink::ColourValue) { return std::optional<ink::ColourValue>(); });
    trigger("stylecolorscolor");
    EXPECT_EQ(code->text(), ".class{border-color:#336699}");
}

TEST_F(StyleMenu, FontSizeWritesTheTypedValueOfTheChosenBox)
{
    ink::CodeEditor* code = codeWith("", 0, 0);
    trigger("styleboxfontsfontsize");
    QPointer<QDialog> d = dialog("frmfontsize");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->parentWidget(), main.get());
    auto* text1 = d->findChild<QLineEdit*>("Text1");
    auto* text2 = d->findChild<QLineEdit*>("Text2");
    EXPECT_TRUE(d->findChild<QRadioButton*>("Option1")->isChecked());
    EXPECT_TRUE(text1->isEnabled());
    EXPECT_FALSE(text2->isEnabled());
    for (QWidget* control : d->findChildren<QWidget*>())
        if (qobject_cast<QAbstractButton*>(control) || qobject_cast<QLineEdit*>(control))
            EXPECT_FALSE(control->accessibleName().isEmpty()) << control->objectName().toStdString();

    // An empty box says what to type and keeps the dialog open.
    click(d, "Command1");
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].contains("Point Size"));
    EXPECT_TRUE(d);
    EXPECT_EQ(code->text(), "");

    click(d, "Option2");
    EXPECT_FALSE(text1->isEnabled());
    EXPECT_TRUE(text2->isEnabled());
    text2->setText("14");
    click(d, "Command1");
    EXPECT_TRUE(waitUntil([&] { return d.isNull(); }));
    EXPECT_EQ(code->text(), "tag{font-size:14px}");
    EXPECT_EQ(code->selectedText(), "tag");
}

TEST_F(StyleMenu, TextIndentValueAndPercent)
{
    ink::CodeEditor* code = codeWith("", 0, 0);
    trigger("insertbrackets");
    trigger("tagapply");
    trigger("styletexttextindent");
    QPointer<QDialog> d = dialog("frmtextindent");
    ASSERT_TRUE(d);
    d->findChild<QLineEdit*>("Text1")->setText("2em");
    click(d, "Command1");
    EXPECT_TRUE(waitUntil([&] { return d.isNull(); }));
    EXPECT_EQ(code->text(), "text-indent:2em");

    trigger("styletexttextindent");
    d = dialog("frmtextindent");
    ASSERT_TRUE(d);
    click(d, "Option2");
    d->findChild<QLineEdit*>("Text2")->setText("10");
    click(d, "Command1");
    EXPECT_TRUE(waitUntil([&] { return d.isNull(); }));
    EXPECT_EQ(code->text(), "text-indent:2emtext-indent:10%");
}

TEST_F(StyleMenu, NewStylePutsTheCaretOnTheEmptyLine)
{
    ink::CodeEditor* code = codeWith("a\r\n\r\nb", 3, 3);
    trigger("style");
    EXPECT_EQ(code->text(), "a\r\n<style>\r\n<!--\r\n\r\n-->\r\n</style>\r\nb");
    EXPECT_EQ(code->caretPosition(), 3 + 15);
    EXPECT_EQ(code->selectedText(), "");
}

TEST_F(StyleMenu, ImportInsertsTheFileTextExactly)
{
    ink::CodeEditor* code = codeWith("<SEL>", 1, 4);
    const QString css = writePage("site.css", "p{color:red}\r\nh1{margin:0}\r\n");
    nextFileAnswer = {css};
    trigger("importstyle");
    EXPECT_EQ(code->text(), "<p{color:red}\r\nh1{margin:0}\r\n>");

    // A file that cannot be read is named and nothing is inserted.
    code->setText("x");
    nextFileAnswer = {pagesDir.filePath("missing.css")};
    trigger("importstyle");
    EXPECT_EQ(code->text(), "x");
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].contains("missing.css"));

    nextFileAnswer = {};
    trigger("importstyle");
    EXPECT_EQ(code->text(), "x");
}

TEST_F(StyleMenu, ExportWritesTheSelectionAndLinksTheFileWritten)
{
    struct ExportCase {
        const char* row;
        const char* chosen;
        const char* written;
        int anchor, caret;
        const char* content;
        const char* after; // the page text around the link
    };
    const ExportCase cases[] = {
        {"css file", "main.css", "main.css", 2, 8, "p{x:y}\r\n", "a %1 b"},
        {"last extension only", "my.site.css", "my.site.css", 2, 8, "p{x:y}\r\n", "a %1 b"},
        {"other extension linked as written", "theme.txt", "theme.txt", 2, 8, "p{x:y}\r\n", "a %1 b"},
        {"no extension", "plain", "plain.css", 2, 8, "p{x:y}\r\n", "a %1 b"},
        {"nothing selected: a line break, link at the caret", "empty.css", "empty.css", 1, 1, "\r\n",
         "a%1 p{x:y} b"},
        {"a subfolder of the page's folder is linked with it", "css/other.css", "css/other.css", 2, 8,
         "p{x:y}\r\n", "a %1 b"},
    };
    ink::CodeEditor* code = codeWith("", 0, 0);
    // The page is in the pages folder; the links are relative to it.
    slotOf(active()).folder = pagesDir.path();
    QDir(pagesDir.path()).mkdir("css");
    for (const ExportCase& c : cases) {
        SCOPED_TRACE(c.row);
        code->setText("a p{x:y} b");
        code->setSelection(c.anchor, c.caret);
        nextFileAnswer = {pagesDir.filePath(c.chosen)};
        trigger("exportstyle");
        EXPECT_EQ(readBytes(pagesDir.filePath(c.written)), c.content);
        const QString link = QStringLiteral("<link rel=\"stylesheet\" type=\"text/css\" href=\"%1\">")
                                 .arg(QString::fromLatin1(c.written));
        EXPECT_EQ(code->text(), QString::fromLatin1(c.after).arg(link));
    }
    EXPECT_FALSE(QFile::exists(pagesDir.filePath("theme.css")));
    EXPECT_TRUE(prompts.questions.isEmpty());
}

TEST_F(StyleMenu, ExportAsksBeforeReplacingAndReportsAFileItCannotWrite)
{
    ink::CodeEditor* code = codeWith("p{x:y}", 0, 6);
    slotOf(active()).folder = pagesDir.path();
    const QString existing = writePage("old.css", "old\r\n");
    nextFileAnswer = {existing};
    prompts.answerYes = false;
    trigger("exportstyle");
    ASSERT_EQ(prompts.questions.size(), 1);
    EXPECT_TRUE(prompts.questions[0].contains("old.css"));
    EXPECT_EQ(readBytes(existing), "old\r\n");
    EXPECT_EQ(code->text(), "p{x:y}");

    prompts.answerYes = true;
    trigger("exportstyle");
    EXPECT_EQ(readBytes(existing), "p{x:y}\r\n");
    EXPECT_EQ(code->text(), "<link rel=\"stylesheet\" type=\"text/css\" href=\"old.css\">");

    // A folder in the way and a folder that is not there: nothing is
    // written, the user is told, and the selection stays.
    QDir(pagesDir.path()).mkdir("locked.css");
    for (const QString& target : {pagesDir.filePath("locked.css"), pagesDir.filePath("gone/new.css")}) {
        SCOPED_TRACE(target.toStdString());
        prompts.messages.clear();
        code->setText("p{x:y}");
        code->setSelection(0, 6);
        nextFileAnswer = {target};
        trigger("exportstyle");
        ASSERT_EQ(prompts.messages.size(), 1);
        EXPECT_TRUE(prompts.messages[0].contains(QFileInfo(target).fileName()));
        EXPECT_EQ(code->text(), "p{x:y}");
        EXPECT_EQ(code->selectedText(), "p{x:y}");
    }
}
