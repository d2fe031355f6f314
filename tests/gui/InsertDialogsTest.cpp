// The insert dialogs on the real main window: opened from their menu items,
// filled in, and read back from the Code view.
#include "MainWindowFixture.h"
#include "dialogs/widgets/DialogPreview.h"
#include "dialogs/widgets/ImageDialog.h"
#include "dialogs/widgets/InlineFrameDialog.h"
#include "dialogs/widgets/InversePropertyWindows.h"
#include "dialogs/widgets/LinkDialogs.h"
#include "dialogs/widgets/StyledInsertDialogs.h"
#include "colourfont/widgets/ColorComboControl.h"

#include <QSlider>

#include <QCheckBox>
#include <QRadioButton>

#include <QComboBox>
#include <QLabel>
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
    EXPECT_TRUE(doc->code()->text().contains(QStringLiteral("<P><A name=\"top\">Contents</A></P>")));
    EXPECT_EQ(selected(), QStringLiteral("Contents"));
}


TEST_F(InsertDialogsTest, ImageImportedIntoTheImagesFolderIsInsertedWithSlashes)
{
    const QString page = writePage(QStringLiteral("site.html"),
                                   "<HTML><BODY><P>pic here</P></BODY></HTML>");
    nextFileAnswer = {page};
    main->runCommand(QStringLiteral("open"));
    doc = active();
    ASSERT_TRUE(doc);
    waitIdle(doc);
    doc->switchToCode();
    const int at = doc->code()->text().indexOf(QStringLiteral("here"));
    doc->code()->setSelection(at, at + 4);

    QTemporaryDir elsewhere;
    const QString picture = elsewhere.filePath(QStringLiteral("my pic.png"));
    QFile file(picture);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("PNGDATA");
    file.close();

    auto* dialog = open<ink::ImageDialog>("image", "frmImage");
    ASSERT_TRUE(dialog);
    nextFileAnswer = {picture};
    press(dialog, "Command1");
    EXPECT_EQ(dialog->findChild<QLineEdit*>("Combo1Mask")->text(), QStringLiteral("images/my pic.png"));
    EXPECT_EQ(readBytes(pagesDir.filePath(QStringLiteral("images/my pic.png"))), QByteArray("PNGDATA"));

    // Importing the same name again asks; "No" keeps the file there.
    QFile::remove(picture);
    file.open(QIODevice::WriteOnly);
    file.write("OTHER");
    file.close();
    prompts.answerYes = false;
    press(dialog, "Command1");
    EXPECT_EQ(prompts.questions.size(), 1);
    EXPECT_EQ(readBytes(pagesDir.filePath(QStringLiteral("images/my pic.png"))), QByteArray("PNGDATA"));

    // The file already in the images folder is referenced, not copied onto itself.
    nextFileAnswer = {pagesDir.filePath(QStringLiteral("images/my pic.png"))};
    press(dialog, "Command1");
    EXPECT_EQ(prompts.questions.size(), 1);
    EXPECT_EQ(readBytes(pagesDir.filePath(QStringLiteral("images/my pic.png"))), QByteArray("PNGDATA"));

    set(dialog, "Text1", QStringLiteral("A \"tip\""));
    set(dialog, "Text2", QStringLiteral("50"));
    dialog->findChild<QRadioButton*>("Option2")->click();
    auto* preview = dialog->findChild<ink::DialogPreview*>();
    ASSERT_TRUE(waitUntil([&] { return preview->shownText().contains(QStringLiteral("height=50%")); }));
    press(dialog, "Command2");
    EXPECT_TRUE(doc->code()->text().contains(
        QStringLiteral("<P>pic <IMG height=50% alt=\"A &quot;tip&quot;\" src=\"images/my pic.png\" border=0></P>")));
}

TEST_F(InsertDialogsTest, InlineFrameInsertsWhatTheFieldsSayNow)
{
    codePageSelecting(QStringLiteral("<P>frame</P>"), QStringLiteral("frame"));
    auto* dialog = open<ink::InlineFrameDialog>("inlineframe", "frmIframe");
    ASSERT_TRUE(dialog);
    auto* preview = dialog->findChild<ink::DialogPreview*>();
    ASSERT_TRUE(waitUntil([&] { return preview->isLoaded(); }));
    EXPECT_FALSE(preview->filePath().endsWith(QStringLiteral("temp.html")));
    set(dialog, "Combo1", QStringLiteral("menu.html"));
    set(dialog, "Text1", QStringLiteral("side"));
    dialog->findChild<QCheckBox*>("Check2")->click();
    press(dialog, "Command2");
    EXPECT_TRUE(doc->code()->text().contains(
        QStringLiteral("<P><iframe src=\"menu.html\" name=\"side\" frameborder=0 ></iframe></P>")))
        << doc->code()->text().toStdString();
}


// A height or width that is no length shows a note beside the field and
// keeps the dialog open with the page unchanged; once mended, OK inserts.
TEST_F(InsertDialogsTest, ALengthThatIsNoLengthIsRefusedWithANote)
{
    codePageSelecting(QStringLiteral("<P>pic</P>"), QStringLiteral("pic"));
    const QString before = doc->code()->text();
    auto* image = open<ink::ImageDialog>("image", "frmImage");
    ASSERT_TRUE(image);
    set(image, "Combo1Mask", QStringLiteral("a.png"));
    set(image, "Text2", QStringLiteral("50 em"));
    auto* note = image->findChild<QLabel*>("Text2Note");
    ASSERT_TRUE(note);
    EXPECT_TRUE(note->isVisible());
    EXPECT_FALSE(note->text().isEmpty());
    press(image, "Command2");
    EXPECT_EQ(doc->code()->text(), before);
    ASSERT_EQ(main->findChild<ink::ImageDialog*>("frmImage"), image);
    EXPECT_TRUE(image->findChild<QLineEdit*>("Text2")->hasFocus());

    set(image, "Text2", QStringLiteral("50 px"));
    EXPECT_FALSE(note->isVisible());
    press(image, "Command2");
    EXPECT_TRUE(doc->code()->text().contains(QStringLiteral("<P><IMG height=50 src=\"a.png\" border=0></P>")))
        << doc->code()->text().toStdString();

    codePageSelecting(QStringLiteral("<P>frame</P>"), QStringLiteral("frame"));
    auto* frame = open<ink::InlineFrameDialog>("inlineframe", "frmIframe");
    ASSERT_TRUE(frame);
    set(frame, "Text3", QStringLiteral("wide"));
    press(frame, "Command2");
    EXPECT_TRUE(doc->code()->text().contains(QStringLiteral("<P>frame</P>")));
    EXPECT_TRUE(frame->findChild<QLabel*>("Text3Note")->isVisible());
    press(frame, "Command3");
}

TEST_F(InsertDialogsTest, HyperlinkTargetWithABlankIsQuoted)
{
    codePageSelecting(QStringLiteral("<P>go</P>"), QStringLiteral("go"));
    auto* dialog = open<ink::HyperlinkDialog>("link", "frmLink");
    ASSERT_TRUE(dialog);
    set(dialog, "Text2", QStringLiteral("a.html"));
    set(dialog, "Text5", QStringLiteral("my frame"));
    press(dialog, "Command1");
    EXPECT_TRUE(doc->code()->text().contains(
        QStringLiteral("<P><A href=\"a.html\" target=\"my frame\">go</A></P>")))
        << doc->code()->text().toStdString();
}

TEST_F(InsertDialogsTest, InversePropertyRoundTripsInBothViews)
{
    codePageSelecting(QStringLiteral("<P>one <B>two</B> three</P>"), QStringLiteral("<B>two</B>"));
    main->runCommand(QStringLiteral("text1properteis"));
    auto* codeBased = main->findChild<ink::CodeSelectionWindow*>("frmTextSelection");
    ASSERT_TRUE(codeBased);
    EXPECT_EQ(codeBased->windowTitle(), QStringLiteral("Inverse Property"));
    ASSERT_TRUE(waitUntil([&] { return !codeBased->surface()->busy()
                                       && codeBased->surface()->bodyInnerHtml().contains(QStringLiteral("two")); }));
    codeBased->surface()->setDocumentHtml(QStringLiteral("<HTML><BODY><I>2</I></BODY></HTML>"));
    ASSERT_TRUE(waitUntil([&] { return !codeBased->surface()->busy(); }));
    press(codeBased, "Command1");
    EXPECT_TRUE(doc->code()->text().contains(QStringLiteral("<P>one <I>2</I> three</P>")))
        << doc->code()->text().toStdString();
    EXPECT_EQ(selected(), QStringLiteral("<I>2</I>"));

    // Switching to the Design view swaps in the design-based window at the same place.
    const QRect place = codeBased->geometry();
    doc->switchToDesign();
    waitIdle(doc);
    pump(50);
    auto* designBased = main->findChild<ink::DesignSelectionWindow*>("frmEditSelection");
    ASSERT_TRUE(designBased);
    EXPECT_TRUE(designBased->isVisible());
    EXPECT_EQ(designBased->geometry(), place);
    EXPECT_FALSE(main->findChild<ink::CodeSelectionWindow*>("frmTextSelection"));

    // Select the italic element's text in the Design view and put new source back.
    main->runCommand(QStringLiteral("text1properteis"));
    designBased->editor()->setText(QStringLiteral("<U>new</U>"));
    doc->design()->setFocus();
    doc->design()->applyKeys({ink::Key::CtrlHome, ink::Key::ShiftCtrlEnd});
    press(designBased, "Command1");
    EXPECT_TRUE(designBased->editor()->text().isEmpty());
    doc->switchToCode();
    EXPECT_TRUE(doc->code()->text().contains(QStringLiteral("<U>new</U>"))) << doc->code()->text().toStdString();
    EXPECT_FALSE(doc->code()->text().contains(QStringLiteral("three")));
}


TEST_F(InsertDialogsTest, HyperbuttonAndMarqueeWriteTheirColoursAndSizes)
{
    codePageSelecting(QStringLiteral("<P>Order now</P>"), QStringLiteral("Order now"));
    auto* button = open<ink::HyperbuttonDialog>("button", "frmLinkButton");
    ASSERT_TRUE(button);
    EXPECT_EQ(button->findChild<QLineEdit*>("Text1")->text(), QStringLiteral("Order now"));
    set(button, "Text4", QStringLiteral("order.html"));
    auto* fore = button->findChild<ink::ColorComboControl*>("ColorComboControl1");
    fore->combo()->setCurrentIndex(1);  // Maroon, picked as a user does
    emit fore->combo()->activated(1);
    button->findChild<QSlider*>("Slider4")->setValue(5);
    const QString markup = ink::hyperbuttonMarkup(button->fields());
    EXPECT_TRUE(markup.contains(QStringLiteral("FONT-SIZE: 18; COLOR:  #800000;")));
    EXPECT_TRUE(markup.endsWith(QStringLiteral("BACKGROUND-COLOR: #c0c0c0\" type=submit value=\"Order now\"></FORM>")));
    press(button, "Command1");
    EXPECT_TRUE(doc->code()->text().contains(QStringLiteral("<P><FORM action=\"order.html\"><INPUT style=")));

    codePageSelecting(QStringLiteral("<P>News flash</P>"), QStringLiteral("News flash"));
    auto* marquee = open<ink::MarqueeDialog>("marquee", "frmMarquee");
    ASSERT_TRUE(marquee);
    EXPECT_TRUE(marquee->findChild<QRadioButton*>("Option1")->isChecked());
    EXPECT_TRUE(marquee->findChild<QRadioButton*>("Option4")->isChecked());
    marquee->findChild<QRadioButton*>("Option5")->click();
    marquee->findChild<QSlider*>("Slider1")->setValue(3);
    press(marquee, "Command1");
    const QString text = doc->code()->text();
    EXPECT_TRUE(text.contains(QStringLiteral("<MARQUEE style=\" BACKGROUND-COLOR: ")));
    EXPECT_TRUE(text.contains(QStringLiteral(" direction=right loop=3><FONT style=")));
    EXPECT_TRUE(text.contains(QStringLiteral(">News flash</FONT></MARQUEE></P>"))) << text.toStdString();
    EXPECT_EQ(selected(), QStringLiteral("News flash"));
}


TEST_F(InsertDialogsTest, HyperlinkInTheDesignViewLinksTheSelectedText)
{
    doc = codePageWithBody(QStringLiteral("<P>visit us</P>"));
    doc->switchToDesign();
    waitIdle(doc);
    doc->design()->setFocus();
    doc->design()->applyKeys({ink::Key::CtrlHome, ink::Key::ShiftCtrlEnd});
    auto* dialog = open<ink::HyperlinkDialog>("link", "frmLink");
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(dialog->findChild<QLineEdit*>("Text1")->text().contains(QStringLiteral("visit us")));
    set(dialog, "Text1", QStringLiteral("visit us"));
    set(dialog, "Text2", QStringLiteral("contact.html"));
    press(dialog, "Command1");
    doc->switchToCode();
    EXPECT_TRUE(doc->code()->text().contains(QStringLiteral("<P><A href=contact.html>visit us</A></P>")))
        << doc->code()->text().toStdString();
}

}
