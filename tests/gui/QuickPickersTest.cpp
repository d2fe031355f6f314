// The quick link and image pickers of the Standard strip and of the
// floating Standard window, driven through their real combo boxes.
#include "MainWindowFixture.h"
#include "app/widgets/FloatingToolWindow.h"
#include "app/widgets/ToolStrip.h"
#include "editing/widgets/QuickPicker.h"

#include <QDir>

using namespace inktest;

class QuickPickers : public MainWindowTest {
protected:
    // A page in the test's pages folder, opened in the Code view.
    ink::DocumentWindow* openCodePage(const QString& body)
    {
        const QString path = writePage(
            "index.html", ("<HTML><BODY>" + body + "</BODY></HTML>").toUtf8());
        nextFileAnswer = {path};
        main->runCommand("open");
        ink::DocumentWindow* w = active();
        if (w) {
            waitIdle(w);
            w->switchToCode();
        }
        return w;
    }
    ink::QuickPicker* picker(ink::ToolStrip* strip, const char* name) const
    {
        return qobject_cast<ink::QuickPicker*>(strip->namedWidget(name));
    }
    static QStringList entries(ink::QuickPicker* p)
    {
        p->showPopup();
        QStringList all;
        for (int i = 0; i < p->count(); ++i)
            all << p->itemText(i);
        p->hidePopup();
        return all;
    }
    static void select(ink::DocumentWindow* w, const QString& text)
    {
        const int at = w->code()->text().indexOf(text);
        w->code()->setSelection(at, at + text.size());
    }
};

TEST_F(QuickPickers, ListsThePageFolderAndItsImagesFolderAfterTheFixedEntries)
{
    writePage("about.html", "x");
    ink::DocumentWindow* w = openCodePage("About");
    ASSERT_NE(w, nullptr);
    ink::QuickPicker* link = picker(main->standardStrip(), "Combo2");
    ink::QuickPicker* image = picker(main->standardStrip(), "Combo3");
    ASSERT_NE(link, nullptr);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(entries(link), (QStringList{"Edit Inner String", "-----------------", "about.html", "index.html"}));
    QDir(pagesDir.path()).mkpath("images");
    writePage("images/logo.gif", "GIF89a");
    EXPECT_EQ(entries(image), (QStringList{"Edit Inner String", "-----------------", "logo.gif"}));
    // Files added later show the next time the list opens.
    writePage("new page.html", "x");
    EXPECT_TRUE(entries(link).contains("new page.html"));
}

TEST_F(QuickPickers, ImagePickerCreatesTheImagesFolder)
{
    ink::DocumentWindow* w = openCodePage("x");
    ASSERT_NE(w, nullptr);
    QDir(pagesDir.filePath("images")).removeRecursively();
    entries(picker(main->standardStrip(), "Combo3"));
    EXPECT_TRUE(QDir(pagesDir.filePath("images")).exists());
}

TEST_F(QuickPickers, LinkInCodeViewWrapsTheSelectionWithTheInnerString)
{
    struct Case {
        const char* name;
        const char* select;   // "" = nothing selected
        const char* inner;    // answer of the input box; nullptr = no inner string
        const char* file;
        const char* expected;
        const char* selected; // what ends selected
    } cases[] = {
        {"innerString", "About", "target=_blank", "about.html",
         "<A href=\"about.html\" target=_blank>About</A>", "About"},
        {"emptyAnswer_noBlank", "About", "", "about.html", "<A href=\"about.html\">About</A>", "About"},
        {"noSelection_fileNameEscaped", "", nullptr, "a&b page.html",
         "<A href=\"a%26b%20page.html\">a&amp;b page.html</A>", "a&amp;b page.html"},
    };
    ink::DocumentWindow* w = openCodePage("About");
    ASSERT_NE(w, nullptr);
    ink::QuickPicker* link = picker(main->standardStrip(), "Combo2");
    for (const Case& c : cases) {
        w->code()->setText("[About]");
        if (*c.select)
            select(w, c.select);
        else
            w->code()->setSelection(1, 1);
        if (c.inner) {
            prompts.textAnswers = {c.inner};
            link->choose("Edit Inner String");
        }
        link->choose(c.file);
        EXPECT_EQ(w->code()->text(),
                  QString("[") + c.expected + (*c.select ? "]" : "About]")) << c.name;
        EXPECT_EQ(w->code()->selectedText(), c.selected) << c.name;
    }
    EXPECT_EQ(prompts.textPrompts.first(), "Edit Inner String|Edit Inner String");
}

TEST_F(QuickPickers, LinkAndImageInDesignView)
{
    ink::DocumentWindow* w = openCodePage("<P>word</P>");
    ASSERT_NE(w, nullptr);
    w->switchToDesign();
    waitIdle(w);
    w->design()->applyKeys({ink::Key::CtrlHome});
    picker(main->standardStrip(), "Combo3")->choose("my logo.gif");
    EXPECT_TRUE(w->design()->bodyInnerHtml().contains("<IMG src=\"images/my%20logo.gif\">"))
        << w->design()->bodyInnerHtml().toStdString();
    // Without a selection the file name is the link text, selected.
    picker(main->standardStrip(), "Combo2")->choose("a&b.html");
    EXPECT_TRUE(w->design()->bodyInnerHtml().contains("<A href=\"a%26b.html\">a&amp;b.html</A>"))
        << w->design()->bodyInnerHtml().toStdString();
    EXPECT_EQ(w->design()->selectionType(), "Text");
    EXPECT_TRUE(w->design()->selectionHtmlText().contains("a&amp;b.html"));
    // With a selection, the selection becomes the link text.
    w->design()->execCommand(ink::DesignCmd::SelectAll);
    picker(main->standardStrip(), "Combo2")->choose("about.html");
    EXPECT_TRUE(w->design()->bodyInnerHtml().contains("<A href=about.html>"))
        << w->design()->bodyInnerHtml().toStdString();
}

TEST_F(QuickPickers, FloatingPickerKeepsItsOwnInnerString)
{
    ink::DocumentWindow* w = openCodePage("x");
    ASSERT_NE(w, nullptr);
    main->runToolButton("Toolbar8", "undock");
    ASSERT_NE(main->floatingStandard(), nullptr);
    ink::QuickPicker* floating = picker(main->floatingStandard()->strip(), "Combo3");
    ASSERT_NE(floating, nullptr);
    prompts.textAnswers = {"alt=\"logo\""};
    floating->choose("Edit Inner String");
    EXPECT_EQ(floating->innerString(), " alt=\"logo\"");
    EXPECT_TRUE(picker(main->standardStrip(), "Combo3")->innerString().isEmpty());
    w->code()->setText("");
    floating->choose("logo.gif");
    EXPECT_EQ(w->code()->text(), "<IMG src=\"images/logo.gif\" alt=\"logo\">");
}
