// The table dialog on the real main window: properties, preview, OK and
// Cancel, the image import and the "Static" box.
#include "MainWindowFixture.h"
#include "colourfont/widgets/ColorComboControl.h"
#include "dialogs/widgets/DialogPreview.h"
#include "dialogs/widgets/ImageListCombo.h"
#include "dialogs/widgets/TableDialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

using namespace inktest;

class TableDialogTest : public MainWindowTest {
protected:
    ink::TableDialog* open(const char* command = "newtable")
    {
        main->action(QString::fromLatin1(command))->trigger();
        auto* dialog = main->findChild<ink::TableDialog*>("frmTable");
        if (dialog)
            waitUntil([dialog] { return dialog->preview()->isLoaded(); });
        return dialog;
    }

    template <typename T>
    static T* child(ink::TableDialog* dialog, const char* name)
    {
        return dialog->findChild<T*>(QString::fromLatin1(name));
    }

    // Opens the "Finish" page: the preview is rebuilt, and OK waits for it.
    static void finish(ink::TableDialog* dialog)
    {
        dialog->findChild<QTabWidget*>("d")->setCurrentIndex(2);
        auto* ok = child<QPushButton>(dialog, "Command3");
        EXPECT_FALSE(dialog->preview()->isLoaded());
        EXPECT_TRUE(waitUntil([dialog] { return dialog->preview()->isLoaded(); }));
        EXPECT_TRUE(ok->isEnabled());
    }
};

TEST_F(TableDialogTest, OkInsertsTheTableAsSetIntoTheCodeView)
{
    ink::DocumentWindow* w = newPage();
    w->switchToCode();
    w->code()->setText("<BODY>old</BODY>");
    w->code()->setSelection(6, 9);
    ink::TableDialog* dialog = open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(child<QPushButton>(dialog, "Command3")->isEnabled());
    child<QSlider>(dialog, "Slider1")->setValue(1);
    child<QSlider>(dialog, "Slider2")->setValue(1);
    child<QSlider>(dialog, "Slider3")->setValue(0);
    child<QRadioButton>(dialog, "Option10")->setChecked(true);
    // The user picks Maroon as the table's border colour and the cell's back colour.
    for (const char* name : {"ColorComboControl2", "ColorComboControl3"}) {
        QComboBox* colours = child<ink::ColorComboControl>(dialog, name)->combo();
        const int maroon = colours->findText("Maroon");
        colours->setCurrentIndex(maroon);
        emit colours->activated(maroon);
    }
    finish(dialog);
    child<QPushButton>(dialog, "Command3")->click();
    pump(50);
    EXPECT_EQ(main->findChild<ink::TableDialog*>("frmTable"), nullptr);
    EXPECT_EQ(w->code()->text().toStdString(),
              "<BODY><TABLE style=\";border-color: #800000\" width=100%>\r\n<TR><td bgcolor= #800000 "
              "style=\"\" align=center valign=middle>&nbsp;</td></TR>\r\n\r\n</TABLE></BODY>");
}

TEST_F(TableDialogTest, CancelInsertsNothingAndRemovesThePreviewFile)
{
    ink::DocumentWindow* w = newPage();
    w->switchToCode();
    const QString before = w->code()->text();
    ink::TableDialog* dialog = open();
    ASSERT_NE(dialog, nullptr);
    const QString previewFile = dialog->preview()->filePath();
    EXPECT_TRUE(QFile::exists(previewFile));
    child<QPushButton>(dialog, "Command4")->click();
    pump(100);
    EXPECT_EQ(main->findChild<ink::TableDialog*>("frmTable"), nullptr);
    EXPECT_EQ(w->code()->text(), before);
    EXPECT_FALSE(QFile::exists(previewFile));
}

TEST_F(TableDialogTest, EnterOnAPropertyPageInsertsNothing)
{
    ink::DocumentWindow* w = newPage();
    w->switchToCode();
    const QString before = w->code()->text();
    ink::TableDialog* dialog = open();
    ASSERT_NE(dialog, nullptr);
    auto* rows = child<QLineEdit>(dialog, "Text2");
    rows->setFocus();
    QTest::keyClick(rows, Qt::Key_Return);
    pump(50);
    EXPECT_EQ(w->code()->text(), before);
    ASSERT_NE(main->findChild<ink::TableDialog*>("frmTable"), nullptr);
    dialog->close();
}

TEST_F(TableDialogTest, EscapeClosesTheDialogAndRemovesThePreviewFile)
{
    newPage();
    QPointer<ink::TableDialog> dialog = open();
    ASSERT_TRUE(dialog);
    const QString previewFile = dialog->preview()->filePath();
    QTest::keyClick(dialog, Qt::Key_Escape);
    EXPECT_TRUE(waitUntil([&] { return dialog.isNull(); }));
    EXPECT_FALSE(QFile::exists(previewFile));
}

TEST_F(TableDialogTest, OkPastesIntoTheDesignView)
{
    ink::DocumentWindow* w = codePageWithBody("<P>x</P>");
    w->switchToDesign();
    waitIdle(w);
    w->design()->setFocus();
    w->design()->applyKeys({ink::Key::CtrlHome});
    ink::TableDialog* dialog = open("dhp1inserttable");
    ASSERT_NE(dialog, nullptr);
    child<QSlider>(dialog, "Slider1")->setValue(3);
    finish(dialog);
    child<QPushButton>(dialog, "Command3")->click();
    pump(100);
    EXPECT_EQ(w->design()->bodyInnerHtml().count("<TR>"), 3) << w->design()->bodyInnerHtml().toStdString();
}

TEST_F(TableDialogTest, StaticSetsOnePercentAndClearingRestoresTheWidth)
{
    newPage();
    ink::TableDialog* dialog = open();
    ASSERT_NE(dialog, nullptr);
    auto* width = child<QLineEdit>(dialog, "Text5");
    width->setText("40");
    child<QCheckBox>(dialog, "Check1")->setChecked(true);
    EXPECT_EQ(width->text(), "1");
    EXPECT_TRUE(child<QRadioButton>(dialog, "Option8")->isChecked());
    EXPECT_FALSE(width->isEnabled());
    EXPECT_FALSE(child<QRadioButton>(dialog, "Option7")->isEnabled());
    child<QCheckBox>(dialog, "Check1")->setChecked(false);
    EXPECT_EQ(width->text(), "40");
    EXPECT_TRUE(child<QRadioButton>(dialog, "Option7")->isChecked());
    EXPECT_TRUE(width->isEnabled());
    dialog->close();
}

TEST_F(TableDialogTest, ImageListsShowTheImagesFolderAndAPickRebuildsThePreview)
{
    ink::DocumentWindow* w = newPage();
    slotOf(w).folder = pagesDir.path();
    ink::TableDialog* dialog = open();
    ASSERT_NE(dialog, nullptr);
    auto* list = child<ink::ImageListCombo>(dialog, "Combo3");
    list->showPopup();
    list->hidePopup();
    EXPECT_EQ(list->count(), 0);
    EXPECT_TRUE(QDir(pagesDir.filePath("images")).exists());

    writePage("images/b.png", "png");
    writePage("images/a.gif", "gif");
    writePage("images/.inkpress-work-1-1.html", "work");
    list->showPopup();
    list->hidePopup();
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->itemText(0), "a.gif");
    EXPECT_EQ(list->itemText(1), "b.png");
    emit list->activated(1);
    EXPECT_EQ(child<QLineEdit>(dialog, "Combo3Mask")->text(), "images/b.png");
    EXPECT_TRUE(waitUntil([dialog] { return dialog->preview()->isLoaded(); }));
    EXPECT_TRUE(dialog->preview()->shownText().contains("background=\"images/b.png\""));
    dialog->close();
}

TEST_F(TableDialogTest, ImportCopiesReferencesAndAsksBeforeReplacing)
{
    // A page saved in its own folder, with one image already imported.
    ink::DocumentWindow* w = newPage();
    slotOf(w).folder = pagesDir.path();
    QDir(pagesDir.path()).mkpath("images");
    const QString inImages = pagesDir.filePath("images/a.gif");
    QFile f(inImages);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("GIF-in-folder");
    f.close();
    QTemporaryDir elsewhere;
    const QString outside = elsewhere.filePath("a.gif");
    QFile g(outside);
    ASSERT_TRUE(g.open(QIODevice::WriteOnly));
    g.write("GIF-outside");
    g.close();
    const QString other = elsewhere.filePath("b.gif");
    QFile::copy(outside, other);

    ink::TableDialog* dialog = open();
    ASSERT_NE(dialog, nullptr);
    auto* tableImage = child<QLineEdit>(dialog, "Combo1Mask");
    auto* cellImage = child<QLineEdit>(dialog, "Combo3Mask");

    const struct {
        const char* row;
        QString chosen;
        const char* button;
        bool answerYes;
        const char* inFolder;   // a.gif's bytes afterwards
        QLineEdit* filled;
        const char* text;
    } cases[] = {
        {"the file already in the folder is referenced, not emptied", inImages, "Command1", true,
         "GIF-in-folder", tableImage, "images/a.gif"},
        {"another file of that name is kept when the user says no", outside, "Command1", false,
         "GIF-in-folder", tableImage, "images/a.gif"},
        {"and replaced when the user says yes", outside, "Command1", true, "GIF-outside", tableImage,
         "images/a.gif"},
        {"the cell page's import fills the cell's image", other, "Command2", true, "GIF-outside",
         cellImage, "images/b.gif"},
    };
    tableImage->clear();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        c.filled->clear();
        nextFileAnswer = QStringList{c.chosen};
        prompts.answerYes = c.answerYes;
        prompts.questions.clear();
        child<QPushButton>(dialog, c.button)->click();
        EXPECT_EQ(readBytes(inImages).toStdString(), c.inFolder);
        const bool asked = !prompts.questions.isEmpty();
        EXPECT_EQ(asked, c.chosen == outside);
        EXPECT_EQ(c.filled->text().toStdString(), c.answerYes || !asked ? c.text : "");
    }
    EXPECT_TRUE(QFile::exists(pagesDir.filePath("images/b.gif")));
    dialog->close();
}

// Opened from the Code view, the dialog takes the page's background from the
// text, not from a Design view left behind by a later edit.
TEST_F(TableDialogTest, PageBackgroundComesFromTheCodeViewsText)
{
    ink::DocumentWindow* w = newPage();
    w->switchToCode();
    w->code()->setText("<HTML><BODY bgcolor=\"#ffffff\"><P>x</P></BODY></HTML>");
    w->switchToDesign();
    waitIdle(w);
    w->switchToCode();
    QString text = w->code()->text();
    text.replace(" bgcolor=\"#ffffff\"", "");
    w->code()->setText(text);
    const int at = w->code()->text().indexOf("<P>");
    w->code()->setSelection(at, at);
    ink::TableDialog* dialog = open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->values().pageBackColour, QString());
    EXPECT_TRUE(dialog->preview()->shownText().startsWith("<html><body bgcolor=>"))
        << dialog->preview()->shownText().toStdString();
    // White is now a colour of its own, written on the table.
    QComboBox* colours = child<ink::ColorComboControl>(dialog, "ColorComboControl1")->combo();
    const int white = colours->findText("White");
    ASSERT_GE(white, 0);
    colours->setCurrentIndex(white);
    emit colours->activated(white);
    finish(dialog);
    child<QPushButton>(dialog, "Command3")->click();
    pump(50);
    EXPECT_TRUE(w->code()->text().contains("<TABLE bgcolor=")) << w->code()->text().toStdString();
}

// Enter in a text field works as OK: never as the "Import" buttons.
TEST_F(TableDialogTest, EnterInAFieldShowsTheTableThenInsertsIt)
{
    ink::DocumentWindow* w = newPage();
    w->switchToCode();
    w->code()->setText("<BODY>old</BODY>");
    w->code()->setSelection(6, 9);
    ink::TableDialog* dialog = open();
    ASSERT_NE(dialog, nullptr);
    for (const char* import : {"Command1", "Command2"})
        EXPECT_FALSE(child<QPushButton>(dialog, import)->autoDefault()) << import;
    auto* width = child<QLineEdit>(dialog, "Text3");
    width->setFocus();
    QTest::keyClick(width, Qt::Key_Return);
    EXPECT_EQ(fileDialogs, 0);
    auto* tabs = dialog->findChild<QTabWidget*>("d");
    EXPECT_EQ(tabs->currentIndex(), 2);
    ASSERT_TRUE(waitUntil([&] { return dialog->preview()->isLoaded(); }));
    QTest::keyClick(dialog, Qt::Key_Return);
    pump(50);
    EXPECT_EQ(fileDialogs, 0);
    EXPECT_TRUE(w->code()->text().startsWith("<BODY><TABLE")) << w->code()->text().toStdString();
}

// Coming back to the dialog from another window keeps the preview shown, so
// the first click on OK inserts.
TEST_F(TableDialogTest, FirstOkAfterComingBackInserts)
{
    ink::DocumentWindow* w = newPage();
    w->switchToCode();
    w->code()->setText("<BODY>old</BODY>");
    w->code()->setSelection(6, 9);
    ink::TableDialog* dialog = open();
    ASSERT_NE(dialog, nullptr);
    finish(dialog);
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(dialog, &deactivate);
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(dialog, &activate);
    EXPECT_TRUE(dialog->preview()->isLoaded());
    child<QPushButton>(dialog, "Command3")->click();
    pump(50);
    EXPECT_TRUE(w->code()->text().startsWith("<BODY><TABLE")) << w->code()->text().toStdString();
}

// OK clicked while the preview is still loading is kept until it shows.
TEST_F(TableDialogTest, OkWhileThePreviewLoadsInsertsOnceShown)
{
    ink::DocumentWindow* w = newPage();
    w->switchToCode();
    w->code()->setText("<BODY>old</BODY>");
    w->code()->setSelection(6, 9);
    QPointer<ink::TableDialog> dialog = open();
    ASSERT_TRUE(dialog);
    finish(dialog);
    child<QSlider>(dialog, "Slider1")->setValue(3);
    dialog->findChild<QTabWidget*>("d")->setCurrentIndex(0);
    dialog->findChild<QTabWidget*>("d")->setCurrentIndex(2);
    ASSERT_FALSE(dialog->preview()->isLoaded());
    QMetaObject::invokeMethod(child<QPushButton>(dialog, "Command3"), "click");
    EXPECT_TRUE(waitUntil([&] { return dialog.isNull(); }));
    EXPECT_EQ(w->code()->text().count("<TR>"), 3) << w->code()->text().toStdString();
}

// A height or width that is no length: OK brings up its page with a note
// beside the field and inserts nothing.
TEST_F(TableDialogTest, ALengthThatIsNoLengthIsRefused)
{
    ink::DocumentWindow* w = newPage();
    w->switchToCode();
    w->code()->setText("<BODY>old</BODY>");
    w->code()->setSelection(6, 9);
    ink::TableDialog* dialog = open();
    ASSERT_NE(dialog, nullptr);
    child<QLineEdit>(dialog, "Text1")->setText("50 pt");
    finish(dialog);
    child<QPushButton>(dialog, "Command3")->click();
    pump(50);
    EXPECT_EQ(w->code()->text(), "<BODY>old</BODY>");
    EXPECT_EQ(dialog->findChild<QTabWidget*>("d")->currentIndex(), 1);
    EXPECT_TRUE(child<QLabel>(dialog, "Text1Note")->isVisible());
    child<QLineEdit>(dialog, "Text1")->setText("50px");
    finish(dialog);
    child<QPushButton>(dialog, "Command3")->click();
    pump(50);
    EXPECT_TRUE(w->code()->text().contains("<td style=\"\" height=50 align=left")) << w->code()->text().toStdString();
}
