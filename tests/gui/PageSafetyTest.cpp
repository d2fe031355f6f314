// Nothing the user typed is lost: pages in minimised windows, pages named by
// relative paths, repeated saves, UTF-16 pages, and windows closed while a
// handler waits.
#include "MainWindowFixture.h"
#include "document/widgets/DocumentFiles.h"
#include "document/WorkingFile.h"

#include <QMessageBox>
#include <QLineEdit>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>

using namespace inktest;

namespace {

const QByteArray pageBytes("<HTML>\r\n<HEAD>\r\n<title>Mine</title>\r\n</HEAD>\r\n<BODY><P>mine</P></BODY>\r\n</HTML>\r\n");

class PageSafety : public MainWindowTest {
protected:
    // Types an edit into the Code view of the page, as the user would.
    void editInCode(ink::DocumentWindow* w, const QString& word)
    {
        w->switchToCode();
        QString text = w->code()->text();
        const int start = text.indexOf("<P>") + 3;
        text.replace(start, text.indexOf("</P>") - start, word);
        w->code()->setText(text);
        pump(30);
    }

    QStringList workingFilesIn(const QString& folder) const
    {
        QStringList found;
        for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
            if (ink::WorkingFile::isWorkingFileName(name))
                found << name;
        return found;
    }
};

QMdiSubWindow* frameOf(ink::DocumentWindow* w)
{
    return qobject_cast<QMdiSubWindow*>(w->parentWidget());
}

struct WindowStateCase {
    const char* name;
    Qt::WindowState state;
};

class MinimisedPage : public PageSafety, public ::testing::WithParamInterface<WindowStateCase> {};

// A minimised or maximised window still holds the user's page.
TEST_P(MinimisedPage, IsSavedAndAskedAboutOnExit)
{
    const QString path = writePage("page.html", pageBytes);
    ink::DocumentWindow* w = openPage(path);
    ASSERT_NE(w, nullptr);
    editInCode(w, "edited");
    frameOf(w)->setWindowState(GetParam().state);
    pump(50);

    ASSERT_TRUE(main->files().save());
    EXPECT_TRUE(readBytes(path).contains("edited"));
    EXPECT_FALSE(slotOf(w).modified);

    editInCode(w, "again");
    frameOf(w)->setWindowState(GetParam().state);
    pump(50);
    prompts.answerYes = true;
    ASSERT_TRUE(main->close());
    main.reset();
    ASSERT_EQ(prompts.questions.size(), 1);
    EXPECT_TRUE(prompts.questions[0].startsWith("page.html has been modified."));
    EXPECT_TRUE(readBytes(path).contains("again"));
}

INSTANTIATE_TEST_SUITE_P(States, MinimisedPage,
                         ::testing::Values(WindowStateCase{"Minimised", Qt::WindowMinimized},
                                           WindowStateCase{"Maximised", Qt::WindowMaximized}),
                         [](const auto& info) { return std::string(info.param.name); });

struct RelativePathCase {
    const char* name;
    const char* commandLine;
    const char* file; // below the pages folder
};

class RelativePath : public PageSafety, public ::testing::WithParamInterface<RelativePathCase> {
protected:
    void TearDown() override
    {
        QDir::setCurrent(previous_);
        PageSafety::TearDown();
    }
    QString previous_ = QDir::currentPath();
};

// A page named relative to the current folder is read and saved there.
TEST_P(RelativePath, OnTheCommandLineIsSavedWhereItWasRead)
{
    const RelativePathCase& c = GetParam();
    QDir(pagesDir.path()).mkpath("sub");
    const QString path = writePage(c.file, pageBytes);
    ASSERT_TRUE(QDir::setCurrent(pagesDir.path()));
    closeMain();
    startMain(c.commandLine);
    ink::DocumentWindow* w = active();
    ASSERT_NE(w, nullptr);
    waitIdle(w);
    EXPECT_EQ(slotOf(w).folder, QFileInfo(path).absolutePath());
    EXPECT_TRUE(w->design()->bodyInnerHtml().contains("mine")) << w->design()->bodyInnerHtml().toStdString();

    editInCode(w, "saved");
    ASSERT_TRUE(main->files().save());
    EXPECT_TRUE(readBytes(path).contains("<P>saved</P>")) << readBytes(path).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Paths, RelativePath,
                         ::testing::Values(RelativePathCase{"BareName", "page.html", "page.html"},
                                           RelativePathCase{"DotSlash", "./page.html", "page.html"},
                                           RelativePathCase{"SubFolder", "sub/page.html", "sub/page.html"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PageSafety, OpenAndSaveTenTimesKeepsThePageByteForByte)
{
    const QString path = writePage("page.html", pageBytes);
    for (int round = 0; round < 10; ++round) {
        ink::DocumentWindow* w = openPage(path);
        ASSERT_NE(w, nullptr);
        ASSERT_TRUE(main->files().save());
        frameOf(w)->close();
        pump(30);
    }
    EXPECT_EQ(readBytes(path), pageBytes);
}

TEST_F(PageSafety, AUtf16PageOpensAndSavesBackInUtf16)
{
    QByteArray bytes("\xFF\xFE", 2);
    for (const QChar c : QString::fromLatin1(pageBytes).replace("mine", QString::fromUtf8("caf\u00e9")))
        bytes += QByteArray(1, char(c.unicode() & 0xFF)) + QByteArray(1, char(c.unicode() >> 8));
    const QString path = writePage("wide.html", bytes);
    ink::DocumentWindow* w = openPage(path);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(' ').toStdString();
    EXPECT_TRUE(w->design()->bodyInnerHtml().contains(QString::fromUtf8("caf\u00e9")));
    ASSERT_TRUE(main->files().save());
    EXPECT_EQ(readBytes(path), bytes);
}

struct TitleViewCase {
    const char* name;
    bool inCode;
};

class LowerCaseTitle : public PageSafety, public ::testing::WithParamInterface<TitleViewCase> {};

// The user's own page spells its title element in lower case.
TEST_P(LowerCaseTitle, TakesTheTitleBoxText)
{
    ink::DocumentWindow* w = openPage(writePage("page.html", pageBytes));
    ASSERT_NE(w, nullptr);
    if (GetParam().inCode)
        w->switchToCode();
    w->titleBox()->setText("Renamed");
    w->titleBox()->setModified(true);
    w->applyTitle();
    waitIdle(w);
    EXPECT_EQ(w->titleBox()->text(), "Renamed");
    EXPECT_EQ(w->design()->title(), "Renamed");
    if (GetParam().inCode)
        EXPECT_TRUE(w->code()->text().contains("<title>Renamed</title>")) << w->code()->text().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Views, LowerCaseTitle,
                         ::testing::Values(TitleViewCase{"Design", false}, TitleViewCase{"Code", true}),
                         [](const auto& info) { return std::string(info.param.name); });

// The window must outlive a dialog of its own (a page's script alert) even
// when the program is closed while the dialog is up.
TEST_F(PageSafety, ExitWhileADialogIsUpDoesNotFreeTheWindowUnderIt)
{
    QPointer<ink::DocumentWindow> w = newPage();
    ASSERT_NE(w, nullptr);
    bool aliveAfterDialog = false;
    QTimer::singleShot(0, w, [&] {
        QMessageBox alert(QMessageBox::Information, "Page", "alert", QMessageBox::Ok, w);
        QTimer::singleShot(100, main.get(), [this] { main->close(); });
        QTimer::singleShot(1500, &alert, &QDialog::accept);
        alert.exec();
        aliveAfterDialog = !w.isNull();
    });
    ASSERT_TRUE(waitUntil([&] { return !main->isVisible(); }, 5000));
    pump(1600);
    EXPECT_TRUE(aliveAfterDialog);
}

// A handler that waits finds its window closed afterwards and stops: it
// leaves no working file behind in the user's folder.
TEST_F(PageSafety, AViewSwitchStopsWhenItsWindowClosesDuringTheWait)
{
    const QString path = writePage("page.html", pageBytes);
    ink::DocumentWindow* w = openPage(path);
    ASSERT_NE(w, nullptr);
    const int slot = w->slot();
    QTimer::singleShot(0, main.get(), [w] { frameOf(w)->close(); });
    w->switchToCode();
    pump(50);
    EXPECT_FALSE(main->documents().isOpen(slot));
    EXPECT_FALSE(main->documents().at(slot).codeViewShown);
    EXPECT_EQ(workingFilesIn(pagesDir.path()), QStringList());
}

}
