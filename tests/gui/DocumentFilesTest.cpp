// Pages on disk: open, save, save as, the save question and the command line.
#include "MainWindowFixture.h"
#include "document/DocumentRoutines.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

using namespace inktest;

class PageFiles : public MainWindowTest {
protected:
    static QByteArray page(const QByteArray& body, const QByteArray& head = "")
    {
        return "<HTML>\r\n<HEAD>\r\n<TITLE>T</TITLE>" + head + "\r\n</HEAD>\r\n<BODY>" + body
            + "</BODY>\r\n</HTML>";
    }

    int openWindows() const { return main->mdiArea()->subWindowList().size(); }

    void openFiles(const QStringList& paths)
    {
        nextFileAnswer = paths;
        main->runCommand("open");
        if (active())
            waitIdle(active());
    }

    void closeActive()
    {
        QMdiSubWindow* sub = main->mdiArea()->activeSubWindow();
        ASSERT_NE(sub, nullptr);
        sub->close();
        pump(50);
    }
};

TEST_F(PageFiles, OpeningStopsAtAFramesetPage)
{
    const QString one = writePage("one.html", page("first"));
    const QString two = writePage("two.html", "<html><frameset rows=2></frameset></html>");
    const QString three = writePage("three.html", page("third"));
    openFiles({one, two, three});
    ASSERT_EQ(openWindows(), 2);
    EXPECT_EQ(prompts.messages, QStringList{"Design mode not available for framesets."});
    ink::DocumentWindow* w = active();
    EXPECT_EQ(w->caption(), "two.html");
    EXPECT_FALSE(slotOf(w).designViewShown);
    EXPECT_FALSE(w->viewAction("Edit")->isVisible());
    ink::DocumentWindow* first = main->window(w->slot() - 1);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->caption(), "one.html");
    EXPECT_EQ(slotOf(first).folder, pagesDir.path());
    EXPECT_FALSE(slotOf(first).modified);
    // The opening went on to the next page without waiting for this one's load.
    waitIdle(first);
    EXPECT_TRUE(first->design()->bodyInnerHtml().contains("first"));
}

TEST_F(PageFiles, TitleCheckCountsOnlyLowerCaseTitleTags)
{
    openFiles({writePage("ok.html", "<title>a</title><TITLE>b</TITLE>")});
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_TRUE(slotOf(active()).designViewShown);

    openFiles({writePage("two.html", "<title>a</title><title>b</title>")});
    EXPECT_EQ(prompts.messages,
              QStringList{"Only one title tag allowed per page. Please make this change and "
                          "reopen the document."});
    EXPECT_FALSE(slotOf(active()).designViewShown);
}

TEST_F(PageFiles, SavingAnUntouchedPageGivesItsBytesPlusCrLf)
{
    const QByteArray bytes = page("caf\xc3\xa9 <b>bold</b>  \n  mixed\r\nline ends ");
    const QString path = writePage("keep.html", bytes);
    openFiles({path});
    ASSERT_EQ(active()->caption(), "keep.html");
    EXPECT_FALSE(slotOf(active()).modified);
    ASSERT_TRUE(main->files().save());
    EXPECT_EQ(readBytes(path), bytes + "\r\n");
}

TEST_F(PageFiles, BytesSurviveForInvalidUtf8AndWindows1252)
{
    const QByteArray invalid = page("bad \xff\xfe bytes \xc3 end");
    const QString p1 = writePage("invalid.html", invalid);
    const QByteArray cp1252 =
        page("caf\xe9 na\xefve \x80", "<META http-equiv=Content-Type content=\"text/html; "
                                      "charset=windows-1252\">");
    const QString p2 = writePage("cp1252.html", cp1252);

    openFiles({p1});
    ASSERT_TRUE(main->files().save());
    EXPECT_EQ(readBytes(p1), invalid + "\r\n");

    openFiles({p2});
    EXPECT_TRUE(active()->code()->text().contains(QString::fromUtf8("café naïve €")));
    EXPECT_TRUE(active()->design()->bodyInnerHtml().contains(QString::fromUtf8("café naïve €")));
    active()->switchToCode();
    ASSERT_TRUE(main->files().save());
    EXPECT_EQ(readBytes(p2), cp1252 + "\r\n");
}

TEST_F(PageFiles, SaveOnUntitledAsksForANameAndCancelChangesNothing)
{
    ink::DocumentWindow* w = newPage();
    slotOf(w).modified = true;
    nextFileAnswer.clear();
    EXPECT_FALSE(main->files().save());
    EXPECT_EQ(fileDialogs, 1);
    EXPECT_EQ(w->caption(), "Untitled");
    EXPECT_TRUE(slotOf(w).modified);

    const QString target = pagesDir.filePath("named.html");
    nextFileAnswer = {target};
    EXPECT_TRUE(main->files().save());
    EXPECT_EQ(w->caption(), "named.html");
    EXPECT_EQ(slotOf(w).folder, pagesDir.path());
    EXPECT_EQ(main->statusFolder(), pagesDir.path());
    EXPECT_FALSE(slotOf(w).modified);
    EXPECT_EQ(readBytes(target), ink::newPageTemplate().toLatin1() + "\r\n");
}

TEST_F(PageFiles, ClosingAPageWithDesignEditsAsksAndYesSavesTheDesign)
{
    const QString path = writePage("index.html", page("<p>old</p>"));
    openFiles({path});
    ink::DocumentWindow* w = active();
    w->design()->setFocus();
    w->design()->execCommand(ink::DesignCmd::SelectAll);
    w->design()->pasteHtml("<P>new words</P>");
    pump(50);
    prompts.answerYes = true;
    closeActive();
    ASSERT_EQ(prompts.questions.size(), 1);
    EXPECT_EQ(prompts.questionTitles[0], "Save file?");
    EXPECT_EQ(prompts.questions[0],
              "index.html has been modified.  Would you like to save this file before closing?");
    EXPECT_TRUE(readBytes(path).contains("new words"));
    EXPECT_EQ(openWindows(), 0);
}

TEST_F(PageFiles, AFailedSaveKeepsThePageModifiedAndSaysWhy)
{
    ink::DocumentWindow* w = newPage();
    slotOf(w).modified = true;
    nextFileAnswer = {pagesDir.filePath("no-such-folder/page.html")};
    EXPECT_FALSE(main->files().saveAs());
    EXPECT_EQ(w->caption(), "Untitled");
    EXPECT_TRUE(slotOf(w).modified);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].contains("page.html")) << prompts.messages[0].toStdString();

    // Closing asks; Yes fails again, so the page stays open.
    prompts.answerYes = true;
    closeActive();
    EXPECT_EQ(openWindows(), 1);
    EXPECT_TRUE(slotOf(w).modified);
}

TEST_F(PageFiles, UnreadableOrBinaryFilesLeaveNoWindow)
{
    openFiles({pagesDir.filePath("missing.html")});
    EXPECT_EQ(openWindows(), 0);
    EXPECT_EQ(prompts.messages.size(), 1);
    openFiles({writePage("image.html", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16))});
    EXPECT_EQ(openWindows(), 0);
    EXPECT_EQ(prompts.messages.size(), 2);
}

TEST_F(PageFiles, CommandLineWithAndWithoutQuotes)
{
    const QString path = writePage("my page.html", page("from the command line"));
    closeMain();
    startMain(path);
    ASSERT_NE(active(), nullptr);
    waitIdle(active());
    EXPECT_EQ(active()->caption(), "my page.html");
    EXPECT_FALSE(slotOf(active()).modified);
    EXPECT_TRUE(active()->design()->bodyInnerHtml().contains("from the command line"));

    closeMain();
    startMain("\"" + path + "\"");
    ASSERT_NE(active(), nullptr);
    EXPECT_EQ(active()->caption(), "my page.html");
}

// The page's history starts at the page as opened: undo in the Code view
// has nothing to take back, rather than taking the whole page away.
TEST_F(PageFiles, UndoRightAfterOpeningKeepsThePage)
{
    const QByteArray bytes = page("<P>opened</P>");
    openFiles({writePage("undo.html", bytes)});
    ink::DocumentWindow* w = active();
    ASSERT_NE(w, nullptr);
    w->switchToCode();
    const QString opened = w->code()->text();
    ASSERT_TRUE(opened.contains(QStringLiteral("opened")));
    main->runCommand("undo");
    pump(50);
    EXPECT_EQ(w->code()->text(), opened);
}

// The generator marker of an opened page is rewritten wherever it lies, on
// a short page as on a long one (searched in the editor's own bytes).
TEST_F(PageFiles, GeneratorMarkerOfAnOpenedPageIsRewritten)
{
    const QByteArray filler = QByteArray("<P>filler text</P>\r\n").repeated(5000);
    for (const QByteArray& body : {QByteArray("<P>short</P>"), filler + "<P>last</P>"}) {
        const QByteArray head = "\r\n<META content=\"MSHTML 6.00\" name=GENERATOR>";
        openFiles({writePage(QStringLiteral("gen%1.html").arg(body.size()), page(body, head))});
        ink::DocumentWindow* w = active();
        ASSERT_NE(w, nullptr);
        w->switchToCode();
        const QString text = w->code()->text();
        EXPECT_TRUE(text.contains(QStringLiteral("content=\"Inkpress Pro 4.5 DHTML 6.00\""))) << body.size();
        EXPECT_FALSE(text.contains(QStringLiteral("MSHTML"))) << body.size();
    }
}

// A long page is read and looked over away from the window's thread: the
// window answers before the page's window is made, and the page is then
// opened, refused or rewritten as a short one would be.
TEST_F(PageFiles, LongPagesAreReadWhileTheWindowAnswers)
{
    const QByteArray filler = QByteArray("<P>filler &eacute; caf\xc3\xa9</P>\r\n").repeated(50000);
    const QByteArray generator = "\r\n<META content=\"MSHTML 6.00\" name=GENERATOR>";
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* message;
        bool design;
    };
    const Case cases[] = {
        {"plain", page(filler + "<P>last</P>"), nullptr, true},
        {"frameset", "<html><frameset rows=2></frameset><!--" + filler + "--></html>",
         "Design mode not available for framesets.", false},
        {"titles", "<title>a</title><title>b</title>" + filler,
         "Only one title tag allowed per page. Please make this change and reopen the document.",
         false},
        {"generator", page(filler, generator), nullptr, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_GE(c.bytes.size(), 1 << 20);
        prompts.messages.clear();
        const QString path = writePage(QStringLiteral("%1.html").arg(QLatin1String(c.name)), c.bytes);
        const int before = openWindows();
        int windowsWhenAnswered = -1;
        QTimer::singleShot(0, main.get(), [&] { windowsWhenAnswered = openWindows(); });
        EXPECT_EQ(main->files().openPaths({path}, true), 1);
        EXPECT_EQ(windowsWhenAnswered, before);
        ink::DocumentWindow* w = active();
        ASSERT_NE(w, nullptr);
        waitIdle(w);
        EXPECT_EQ(w->caption(), QStringLiteral("%1.html").arg(QLatin1String(c.name)));
        EXPECT_EQ(prompts.messages, c.message ? QStringList{c.message} : QStringList{});
        EXPECT_EQ(slotOf(w).designViewShown, c.design);
        // The working file written ahead went to the window, under its name.
        EXPECT_EQ(QDir(pagesDir.path())
                      .entryList({QStringLiteral(".inkpress-work-*-0*")}, QDir::Files | QDir::Hidden),
                  QStringList{});
        if (c.design) {
            EXPECT_FALSE(slotOf(w).modified);
            EXPECT_EQ(QFileInfo(w->workingFilePath()).absolutePath(), QFileInfo(pagesDir.path()).absoluteFilePath());
            w->switchToCode();
        }
        // The Code view rewrites the generator marker.
        const QString expected = QString::fromUtf8(c.bytes).replace(
            QStringLiteral("MSHTML 6.00"), QStringLiteral("Inkpress Pro 4.5 DHTML 6.00"));
        EXPECT_EQ(w->code()->text(), expected);
    }
}

// The program closed while a long page is still being read: the open makes
// no window, and leaves nothing of the page's working file behind.
TEST_F(PageFiles, ClosingWhileALongPageIsReadOpensNothing)
{
    const QString path =
        writePage("long.html", page(QByteArray("<P>filler text</P>\r\n").repeated(60000)));
    const int before = openWindows();
    bool closed = false;
    QTimer::singleShot(0, main.get(), [&] { closed = main->close(); });
    EXPECT_EQ(main->files().openPaths({path}, true), 0);
    EXPECT_TRUE(closed);
    EXPECT_EQ(openWindows(), before);
    EXPECT_EQ(QDir(pagesDir.path())
                  .entryList({QStringLiteral(".inkpress-work-*")}, QDir::Files | QDir::Hidden),
              QStringList{});
}
