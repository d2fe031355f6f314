// A run that ends without closing (a crash, kill -9, a power cut) leaves a
// copy of each modified page; the next start offers them back and clears
// the working files that run left behind.
#include "MainWindowFixture.h"
#include "base/ProgramFolder.h"
#include "document/RecoveryStore.h"

#include <QProcess>
#include <QRegularExpression>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace inktest;

namespace {

// windows-1252, with an e acute that is one byte on disk.
const QByteArray originalPage(
    "<HTML>\r\n<HEAD>\r\n<META http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\r\n"
    "<TITLE>T</TITLE>\r\n</HEAD>\r\n<BODY><P>caf\xe9 ORIGINAL</P></BODY>\r\n</HTML>\r\n");

class CrashRecovery : public MainWindowTest {
protected:
    ink::RecoveryStore store() const { return ink::RecoveryStore(ink::recoveryFolder()); }
    QString ownCopy(int slot) const { return store().pathFor(QCoreApplication::applicationPid(), slot); }

    ink::RecoveryRecord readCopy(const QString& path) const
    {
        ink::RecoveryRecord record;
        EXPECT_TRUE(ink::parseRecovery(readBytes(path), &record)) << path.toStdString();
        return record;
    }

    bool copyHolds(int slot, const char* word) const
    {
        return waitUntil([&] {
            ink::RecoveryRecord record;
            return ink::parseRecovery(readBytes(ownCopy(slot)), &record)
                && record.text.contains(QLatin1String(word));
        }, 15000);
    }

    void typeInCode(ink::DocumentWindow* w, const QString& word)
    {
        w->switchToCode();
        QString text = w->code()->text();
        text.replace(QRegularExpression(QStringLiteral("ORIGINAL|FIRST|SECOND|THIRD")), word);
        w->code()->setText(text);
        pump(30);
    }

    // A run of the real program on `page`, killed once its page is open;
    // returns its process id.
    qint64 killedRun(const QString& page)
    {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("INKPRESS_PROGRAM_FOLDER"), programDir.path());
        child.setProcessEnvironment(env);
        child.start(QStringLiteral(INKPRESS_EXE), {page});
        if (!child.waitForStarted(20000))
            return 0;
        const qint64 pid = child.processId();
        const QString working = QFileInfo(page).dir().filePath(QStringLiteral(".inkpress-work-%1-1.html").arg(pid));
        const bool opened = waitUntil([&] { return QFileInfo::exists(working); }, 60000);
        ::kill(pid_t(pid), SIGKILL);
        child.waitForFinished(20000);
        return opened ? pid : 0;
    }
};

TEST_F(CrashRecovery, EditsOfAKilledRunAreOfferedBackAtTheNextStart)
{
    const QString path = writePage(QStringLiteral("p.html"), originalPage);
    const qint64 killed = killedRun(path);
    ASSERT_GT(killed, 0);
    const QString leftWorkingFile = pagesDir.filePath(QStringLiteral(".inkpress-work-%1-1.html").arg(killed));
    ASSERT_TRUE(QFileInfo::exists(leftWorkingFile));

    // The edits are typed here; the copy this run keeps of them is the one
    // the killed run would have left, under its process id.
    ink::DocumentWindow* w = openPage(path);
    ASSERT_NE(w, nullptr);
    const int slot = w->slot();
    typeInCode(w, QStringLiteral("MINE"));
    ASSERT_TRUE(copyHolds(slot, "MINE"));
    ink::RecoveryRecord record = readCopy(ownCopy(slot));
    EXPECT_EQ(record.caption, QStringLiteral("p.html"));
    EXPECT_EQ(record.encoding.kind, ink::PageEncoding::Windows1252);
    record.pid = killed;
    record.workingFiles = {leftWorkingFile};
    ASSERT_TRUE(store().write(record));

    // Closed without saving: this run's own copy goes.
    ASSERT_TRUE(closeMain());
    EXPECT_FALSE(QFileInfo::exists(ownCopy(slot)));
    EXPECT_EQ(readBytes(path), originalPage);

    prompts.questions.clear();
    prompts.choiceAnswers = {QStringLiteral("Recover")};
    startMain();
    ASSERT_EQ(prompts.questions.size(), 1);
    EXPECT_TRUE(prompts.questions.first().contains(QStringLiteral("p.html")));
    ink::DocumentWindow* back = active();
    ASSERT_NE(back, nullptr);
    waitIdle(back);
    EXPECT_EQ(back->caption(), QStringLiteral("p.html"));
    EXPECT_TRUE(slotOf(back).modified);
    EXPECT_TRUE(back->code()->text().contains(QStringLiteral("caf\u00e9 MINE")));
    EXPECT_EQ(readBytes(path), originalPage);
    EXPECT_FALSE(QFileInfo::exists(leftWorkingFile));
    EXPECT_FALSE(QFileInfo::exists(store().pathFor(killed, 1)));
    EXPECT_TRUE(QFileInfo::exists(ownCopy(back->slot())));

    ASSERT_TRUE(main->files().save());
    EXPECT_TRUE(prompts.questions.size() == 1) << prompts.questions.join('\n').toStdString();
    EXPECT_TRUE(readBytes(path).contains("caf\xe9 MINE"));
    // The stale copy goes as soon as the save has returned.
    EXPECT_TRUE(waitUntil([&] { return !QFileInfo::exists(ownCopy(back->slot())); }, 2000));
}

TEST_F(CrashRecovery, TheCopyFollowsTheTypingAndGoesWithASaveOrAClose)
{
    const QString path = writePage(QStringLiteral("p.html"), originalPage);
    ink::DocumentWindow* w = openPage(path);
    ASSERT_NE(w, nullptr);
    const int slot = w->slot();
    pump(2500);
    EXPECT_FALSE(QFileInfo::exists(ownCopy(slot))) << "a page without edits has no copy";

    typeInCode(w, QStringLiteral("FIRST"));
    ASSERT_TRUE(copyHolds(slot, "FIRST"));
    typeInCode(w, QStringLiteral("SECOND"));
    ASSERT_TRUE(copyHolds(slot, "SECOND"));
    ASSERT_TRUE(main->files().save());
    // The stale copy goes as soon as the save has returned.
    EXPECT_TRUE(waitUntil([&] { return !QFileInfo::exists(ownCopy(slot)); }, 2000));

    typeInCode(w, QStringLiteral("THIRD"));
    ASSERT_TRUE(copyHolds(slot, "THIRD"));
    prompts.answerYes = false; // do not save on close
    w->close();
    pump(100);
    EXPECT_FALSE(QFileInfo::exists(ownCopy(slot)));
    EXPECT_TRUE(readBytes(path).contains("SECOND"));
}

TEST_F(CrashRecovery, OnlyDeadRunsAreOfferedAndDiscardDropsTheirCopies)
{
    // A process that has ended, and one that runs.
    const pid_t deadPid = ::fork();
    if (deadPid == 0)
        ::_exit(0);
    ASSERT_GT(deadPid, 0);
    ::waitpid(deadPid, nullptr, 0);
    ASSERT_FALSE(ink::processExists(deadPid));
    QProcess running;
    running.start(QStringLiteral("sleep"), {QStringLiteral("60")});
    ASSERT_TRUE(running.waitForStarted(10000));
    const qint64 live = running.processId();
    ASSERT_GT(live, 0);

    const auto record = [&](qint64 pid, const QString& caption, const QString& text) {
        ink::RecoveryRecord r;
        r.pid = pid;
        r.slot = 1;
        r.folder = pagesDir.path();
        r.caption = caption;
        r.text = text;
        r.workingFiles = {pagesDir.filePath(QStringLiteral(".inkpress-work-%1-1.html").arg(pid))};
        writePage(QStringLiteral(".inkpress-work-%1-1.html").arg(pid), "w");
        return r;
    };
    ASSERT_TRUE(store().write(record(deadPid, QStringLiteral("dead.html"), QStringLiteral("<p>dead</p>"))));
    ASSERT_TRUE(store().write(record(live, QStringLiteral("live.html"), QStringLiteral("<p>live</p>"))));
    const QString deadWork = pagesDir.filePath(QStringLiteral(".inkpress-work-%1-1.html").arg(deadPid));
    const QString liveWork = pagesDir.filePath(QStringLiteral(".inkpress-work-%1-1.html").arg(live));

    const struct {
        const char* name;
        QStringList answers;
        bool deadCopyStays;
        int questions;
    } starts[] = {
        {"closed without an answer: the copy waits", {}, true, 1},
        {"discard", {QStringLiteral("Discard")}, false, 1},
        {"nothing left to offer", {}, false, 0},
    };
    for (const auto& s : starts) {
        SCOPED_TRACE(s.name);
        ASSERT_TRUE(closeMain());
        prompts.questions.clear();
        prompts.choiceAnswers = s.answers;
        startMain();
        ASSERT_EQ(prompts.questions.size(), s.questions);
        if (s.questions > 0) {
            EXPECT_TRUE(prompts.questions.first().contains(QStringLiteral("dead.html")));
            EXPECT_FALSE(prompts.questions.first().contains(QStringLiteral("live.html")));
        }
        EXPECT_EQ(active(), nullptr);
        EXPECT_EQ(QFileInfo::exists(store().pathFor(deadPid, 1)), s.deadCopyStays);
        EXPECT_TRUE(QFileInfo::exists(store().pathFor(live, 1)));
        EXPECT_FALSE(QFileInfo::exists(deadWork));
        EXPECT_TRUE(QFileInfo::exists(liveWork));
    }
    running.kill();
    running.waitForFinished(5000);
}

}
