// Pages whose files another program writes, replaces or removes while they
// are open: nothing the user typed is lost, and nothing another program
// wrote is overwritten without a question.
#include "MainWindowFixture.h"

#include <QAbstractScrollArea>
#include <QScrollBar>

#include <cstdio>

using namespace inktest;

namespace {

QByteArray pageWith(const QByteArray& word, int extraLines = 0)
{
    QByteArray lines;
    for (int i = 0; i < extraLines; ++i)
        lines += "<P>line " + QByteArray::number(i) + "</P>\r\n";
    return "<HTML>\r\n<HEAD>\r\n<TITLE>T</TITLE>\r\n</HEAD>\r\n<BODY><P>" + word + "</P>\r\n" + lines
        + "</BODY>\r\n</HTML>\r\n";
}

// Another program's save: a new file renamed over the old one (as most
// editors do), or the old file rewritten in place.
void writeOutside(const QString& path, const QByteArray& bytes, bool byRename)
{
    const QString target = byRename ? path + QStringLiteral(".new") : path;
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();
    if (byRename)
        ASSERT_EQ(::rename(QFile::encodeName(target).constData(), QFile::encodeName(path).constData()), 0);
}

class PagesChangedOutside : public MainWindowTest {
protected:
    void typeInCode(ink::DocumentWindow* w, const QString& word)
    {
        w->switchToCode();
        QString text = w->code()->text();
        const int start = int(text.indexOf("<P>")) + 3;
        text.replace(start, text.indexOf("</P>") - start, word);
        w->code()->setText(text);
        pump(30);
    }

    bool codeShows(ink::DocumentWindow* w, const char* word)
    {
        return waitUntil([&] { return w->code()->text().contains(QLatin1String(word)); }, 8000);
    }
};

TEST_F(PagesChangedOutside, APageWithoutEditsTakesEachNewVersionQuietly)
{
    const struct {
        const char* name;
        bool codeView;
        bool byRename;
    } cases[] = {
        {"Design view, replaced by rename", false, true},
        {"Design view, rewritten in place", false, false},
        {"Code view, replaced by rename", true, true},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = writePage(QStringLiteral("quiet%1.html").arg(++n), pageWith("ORIGINAL", 300));
        ink::DocumentWindow* w = openPage(path);
        ASSERT_NE(w, nullptr);
        auto* area = qobject_cast<QAbstractScrollArea*>(w->code()->widget());
        if (c.codeView) {
            w->switchToCode();
            ASSERT_NE(area, nullptr);
            area->verticalScrollBar()->setValue(120);
            pump(30);
        } else {
            w->design()->scrollTo(QPointF(0, 400));
            ASSERT_TRUE(waitUntil([&] { return w->design()->scrollPosition().y() > 300; }));
        }
        // Twice: the watch must survive the first replacement.
        writeOutside(path, pageWith("THEIRS", 300), c.byRename);
        ASSERT_TRUE(codeShows(w, "THEIRS"));
        writeOutside(path, pageWith("AGAIN", 300), c.byRename);
        ASSERT_TRUE(codeShows(w, "AGAIN"));
        waitIdle(w);

        EXPECT_TRUE(prompts.questions.isEmpty()) << prompts.questions.join('\n').toStdString();
        EXPECT_FALSE(slotOf(w).modified);
        EXPECT_EQ(w->code()->widget()->isVisible(), c.codeView);
        if (c.codeView)
            EXPECT_EQ(area->verticalScrollBar()->value(), 120);
        else {
            EXPECT_TRUE(w->design()->documentHtml().contains("AGAIN"));
            EXPECT_TRUE(waitUntil([&] { return w->design()->scrollPosition().y() > 300; }))
                << "scrolled to " << w->design()->scrollPosition().y();
        }
        w->close();
        pump(50);
    }
}

TEST_F(PagesChangedOutside, APageWithEditsAsksAndKeepsWhatTheUserChooses)
{
    const struct {
        const char* name;
        QString answer;
        bool saveAnyway;
        const char* shown;
        const char* onDisk;
    } cases[] = {
        {"keep, then refuse to overwrite", "Keep My Changes", false, "MINE", "THEIRS"},
        {"keep, then overwrite", "Keep My Changes", true, "MINE", "MINE"},
        {"reload", "Reload", false, "THEIRS", "THEIRS"},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        prompts.questions.clear();
        const QString path = writePage(QStringLiteral("edited%1.html").arg(++n), pageWith("ORIGINAL"));
        ink::DocumentWindow* w = openPage(path);
        ASSERT_NE(w, nullptr);
        typeInCode(w, "MINE");
        prompts.choiceAnswers = {c.answer};
        writeOutside(path, pageWith("THEIRS"), true);
        ASSERT_TRUE(waitUntil([&] { return !prompts.questions.isEmpty(); }, 8000));
        EXPECT_TRUE(prompts.questions.first().contains(QStringLiteral("edited%1.html").arg(n)));
        pump(100);
        EXPECT_TRUE(w->code()->text().contains(c.shown));

        prompts.answerYes = c.saveAnyway;
        const bool kept = c.answer != QStringLiteral("Reload");
        EXPECT_EQ(main->files().save(), !kept || c.saveAnyway);
        // Only a page that kept its edits over the other version asks again.
        EXPECT_EQ(prompts.questions.size(), kept ? 2 : 1);
        EXPECT_TRUE(readBytes(path).contains(c.onDisk));
        EXPECT_EQ(slotOf(w).modified, kept && !c.saveAnyway);
        prompts.answerYes = false;
        w->close();
        pump(50);
    }
}

// The check right before a save does not wait for the file watch: a file
// written a moment ago by another copy of the program is not overwritten
// without a question.
TEST_F(PagesChangedOutside, TheSecondOfTwoWritersIsAsked)
{
    const QString path = writePage(QStringLiteral("shared.html"), pageWith("ORIGINAL"));
    ink::DocumentWindow* a = openPage(path);
    ASSERT_NE(a, nullptr);
    typeInCode(a, "FROM-A");

    {
        auto second = std::make_unique<ink::MainWindow>();
        second->startUp(QString());
        ASSERT_EQ(second->files().openPaths({path}, false), 1);
        ink::DocumentWindow* b = second->activeWindow();
        ASSERT_NE(b, nullptr);
        waitIdle(b);
        b->switchToCode();
        QString text = b->code()->text();
        text.replace(QStringLiteral("ORIGINAL"), QStringLiteral("FROM-B"));
        b->code()->setText(text);
        ASSERT_TRUE(second->files().save());
        EXPECT_TRUE(prompts.questions.isEmpty()) << "the first writer is not asked";
        prompts.answerYes = false;
        second->close();
        pump(50);
        second.reset();
    }

    prompts.answerYes = false;
    EXPECT_FALSE(main->files().save());
    EXPECT_FALSE(prompts.questions.isEmpty());
    EXPECT_TRUE(prompts.questions.last().contains(QStringLiteral("Save anyway")));
    EXPECT_TRUE(readBytes(path).contains("FROM-B"));
    EXPECT_TRUE(slotOf(a).modified);
    EXPECT_TRUE(a->code()->text().contains("FROM-A"));
}

// Once the program has trusted the file's identity (a while after it was
// read), a save no longer reads the file first: a rewrite of as many bytes,
// in place and just before the save, must still be caught by it.
TEST_F(PagesChangedOutside, ASameSizeRewriteJustBeforeASaveIsAskedAboutLongAfterTheOpen)
{
    const QString path = writePage(QStringLiteral("settled.html"), pageWith("ORIGINAL"));
    ink::DocumentWindow* w = openPage(path);
    ASSERT_NE(w, nullptr);
    pump(3000); // past the file system's time grain: the file's identity is trusted now
    typeInCode(w, "MINE");
    writeOutside(path, pageWith("THEIRSXX"), false);
    prompts.answerYes = false;
    EXPECT_FALSE(main->files().save());
    EXPECT_FALSE(prompts.questions.isEmpty());
    EXPECT_TRUE(readBytes(path).contains("THEIRSXX"));
    EXPECT_TRUE(w->code()->text().contains("MINE"));
}

TEST_F(PagesChangedOutside, TheProgramsOwnSavesRaiseNoQuestion)
{
    const QString path = writePage(QStringLiteral("own.html"), pageWith("ORIGINAL"));
    ink::DocumentWindow* w = openPage(path);
    ASSERT_NE(w, nullptr);
    for (const char* word : {"ONE", "TWO", "THREE"}) {
        typeInCode(w, QString::fromLatin1(word));
        ASSERT_TRUE(main->files().save());
        pump(600); // longer than the watch lets a change settle
    }
    // Saved under another name, the page is watched there.
    const QString other = pagesDir.filePath(QStringLiteral("renamed.html"));
    nextFileAnswer = {other};
    typeInCode(w, "FOUR");
    ASSERT_TRUE(main->files().saveAs());
    pump(600);
    EXPECT_TRUE(prompts.questions.isEmpty()) << prompts.questions.join('\n').toStdString();
    EXPECT_TRUE(readBytes(path).contains("THREE"));
    EXPECT_TRUE(readBytes(other).contains("FOUR"));

    writeOutside(other, pageWith("THEIRS"), true);
    EXPECT_TRUE(codeShows(w, "THEIRS"));
    writeOutside(path, pageWith("IGNORED"), true);
    pump(600);
    EXPECT_FALSE(w->code()->text().contains("IGNORED"));
}

TEST_F(PagesChangedOutside, APageDeletedOutsideStaysOpenAndModified)
{
    const QString path = writePage(QStringLiteral("gone.html"), pageWith("ORIGINAL"));
    ink::DocumentWindow* w = openPage(path);
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(waitUntil([&] { return slotOf(w).modified; }, 8000));
    EXPECT_TRUE(w->code()->text().contains("ORIGINAL"));
    EXPECT_TRUE(prompts.questions.isEmpty());
    ASSERT_TRUE(main->files().save());
    EXPECT_TRUE(readBytes(path).contains("ORIGINAL"));
    EXPECT_TRUE(prompts.questions.isEmpty());
}

}
