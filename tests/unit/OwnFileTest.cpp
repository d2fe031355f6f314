#include "document/FileStamp.h"
#include "document/OwnFile.h"
#include "document/PageFile.h"
#include "document/RunOwnership.h"
#include "document/WorkingFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

using namespace ink;

namespace {

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}

TEST(OwnFile, NewFileIsPrivateAndRewrittenWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral(".inkpress-work-1-1.html"));
    ASSERT_TRUE(writeOwnFile(path, "a long first text"));
    ASSERT_TRUE(writeOwnFile(path, "short"));
    EXPECT_EQ(readBytes(path), QByteArray("short"));
    EXPECT_EQ(QFileInfo(path).permissions() & (QFile::ReadOther | QFile::ReadGroup | QFile::WriteOther),
              QFile::Permissions());
}

TEST(OwnFile, NothingIsWrittenThroughWhatStandsInItsPlace)
{
    QTemporaryDir dir;
    const QString victim = dir.filePath(QStringLiteral("victim.txt"));
    struct Case {
        const char* name;
        std::function<void(const QString& path)> plant;
    } cases[] = {
        {"a link to an existing file", [&](const QString& p) { QFile::link(victim, p); }},
        {"a dangling link", [&](const QString& p) { QFile::link(dir.filePath("nothing-yet"), p); }},
        {"a hard link", [&](const QString& p) { ::link(QFile::encodeName(victim).constData(), QFile::encodeName(p).constData()); }},
        {"a pipe", [](const QString& p) { ::mkfifo(QFile::encodeName(p).constData(), 0600); }},
        {"a folder", [](const QString& p) { QDir().mkdir(p); }},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(victim, "precious");
        const QString path = dir.filePath(QStringLiteral(".inkpress-work-1-%1.html").arg(++n));
        c.plant(path);
        QString reason;
        EXPECT_FALSE(writeOwnFile(path, "attack", &reason));
        EXPECT_FALSE(reason.isEmpty());
        EXPECT_EQ(readBytes(victim), QByteArray("precious"));
        EXPECT_FALSE(QFileInfo::exists(dir.filePath("nothing-yet")));
    }
}

TEST(OwnFile, PrivateTempFolderIsTheUsersOnly)
{
    const QString folder = privateTempFolder();
    ASSERT_FALSE(folder.isEmpty());
    EXPECT_EQ(folder, privateTempFolder());
    struct stat info {};
    ASSERT_EQ(::lstat(QFile::encodeName(folder).constData(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(info.st_uid, ::geteuid());
}

TEST(FileStamp, OnlyNewBytesCountAsAChange)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.html"));
    writeBytes(path, "<p>ORIGINAL</p>");
    const FileStamp read = FileStamp::ofBytes(path, "<p>ORIGINAL</p>");
    EXPECT_TRUE(fileMatchesStamp(path, read));

    // Touched: a new time, the same bytes.
    QFile touched(path);
    ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
    touched.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime);
    touched.close();
    EXPECT_TRUE(fileMatchesStamp(path, read));

    // The same size, other bytes, written within the same instant.
    writeBytes(path, "<p>THEIRSXX</p>");
    FileStamp now;
    EXPECT_FALSE(fileMatchesStamp(path, read, &now));
    EXPECT_EQ(now.hash, FileStamp::hashOf("<p>THEIRSXX</p>"));
    EXPECT_TRUE(fileMatchesStamp(path, now));

    QFile::remove(path);
    EXPECT_FALSE(fileMatchesStamp(path, read, &now));
    EXPECT_FALSE(now.exists);
    EXPECT_TRUE(fileMatchesStamp(path, now));
    EXPECT_TRUE(fileMatchesStamp(path, FileStamp()));
}

// A stamp of an earlier version of the program (kept in a recovery copy)
// holds the SHA-256 of the bytes: it is compared as such.
TEST(FileStamp, AStampOfAnEarlierVersionStillTellsAChange)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.html"));
    writeBytes(path, "<p>mine</p>");
    FileStamp earlier = FileStamp::ofFile(path);
    earlier.hash = FileStamp::sha256Of("<p>mine</p>");
    EXPECT_TRUE(fileMatchesStamp(path, earlier));
    writeBytes(path, "<p>MINE</p>");
    EXPECT_FALSE(fileMatchesStamp(path, earlier));
    EXPECT_NE(FileStamp::hashOf("<p>mine</p>"), FileStamp::hashOf("<p>MINE</p>"));
}

TEST(FileStamp, ReadingAPageStampsTheBytesRead)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.html"));
    writeBytes(path, "<p>caf\xe9</p>");
    const PageFileContent content = readPageFile(path);
    ASSERT_TRUE(content.ok);
    EXPECT_TRUE(content.stamp.exists);
    EXPECT_EQ(content.stamp.size, 11);
    EXPECT_EQ(content.stamp.hash, FileStamp::hashOf("<p>caf\xe9</p>"));
    EXPECT_TRUE(fileMatchesStamp(path, content.stamp));
}

// A file's identity stands for its bytes only once its last change is older
// than the coarsest time a file system keeps: a write in the same tick can
// leave every field as it was.
TEST(FileStamp, OnlyAnIdentityPastTheTimeGrainIsSettled)
{
    constexpr qint64 s = 1'000'000'000;
    const struct {
        const char* name;
        qint64 modifiedNs, changedNs, seenNs;
        bool settled;
    } cases[] = {
        {"changed three seconds before it was seen", 100 * s, 100 * s, 103 * s, true},
        {"changed a second before", 100 * s, 100 * s, 101 * s, false},
        {"changed in the same instant", 100 * s, 100 * s, 100 * s, false},
        {"an old change time but a recent modification time", 103 * s, 90 * s, 104 * s, false},
        {"times in the future of the clock", 200 * s, 200 * s, 100 * s, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FileIdentity identity;
        identity.modifiedNs = c.modifiedNs;
        identity.changedNs = c.changedNs;
        EXPECT_EQ(identityIsSettled(identity, c.seenNs), c.settled);
    }
}

// While the file shows the identity it was seen to match with, its bytes
// are not read; anything that moves the identity sends the check back to
// the bytes.
TEST(FileStamp, ASettledIdentitySparesTheReadUntilTheFileMoves)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.html"));
    writeBytes(path, "<p>ORIGINAL</p>");
    // Just written: no identity can vouch for these bytes yet.
    EXPECT_FALSE(readPageFile(path).stamp.identity);

    FileStamp trusted = FileStamp::ofBytes(path, "<p>ORIGINAL</p>");
    trusted.identity = FileIdentity::of(path);
    ASSERT_TRUE(trusted.identity);
    trusted.hash = FileStamp::hashOf("not these bytes");
    EXPECT_TRUE(fileMatchesStamp(path, trusted)); // not read: the hash was never compared

    // Another program writes a new file and renames it over the page.
    const QString other = dir.filePath(QStringLiteral("other.html"));
    writeBytes(other, "<p>ORIGINAL</p>");
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::rename(other, path));
    FileStamp now;
    EXPECT_FALSE(fileMatchesStamp(path, trusted, &now)); // read: the hash decides
    trusted.hash = FileStamp::hashOf("<p>ORIGINAL</p>");
    EXPECT_TRUE(fileMatchesStamp(path, trusted, &now));
    EXPECT_FALSE(now.identity); // the new file is too young to vouch for them
}

// The case the grain exists for: a page read a while after it was written,
// then rewritten in place with as many bytes.
TEST(FileStamp, ASameSizeRewriteAfterASettledReadIsCaught)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.html"));
    writeBytes(path, "<p>ORIGINAL</p>");
    std::this_thread::sleep_for(std::chrono::milliseconds(2300));
    const PageFileContent content = readPageFile(path);
    ASSERT_TRUE(content.ok);
    ASSERT_TRUE(content.stamp.identity);
    EXPECT_TRUE(fileMatchesStamp(path, content.stamp));
    writeBytes(path, "<p>THEIRSXX</p>");
    EXPECT_FALSE(fileMatchesStamp(path, content.stamp));
}

TEST(OwnFile, WorkingFileFallsBackToThePrivateFolderNeverThroughALink)
{
    QTemporaryDir pages;
    const QString victim = pages.filePath(QStringLiteral("victim.html"));
    writeBytes(victim, "precious");
    const struct {
        const char* name;
        QString folder;
        bool plantLink;
    } cases[] = {
        {"a folder that is not there", pages.filePath(QStringLiteral("missing/sub")), false},
        {"a link planted under the working file's name", pages.path(), true},
    };
    int slot = 40;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WorkingFile working(++slot);
        if (c.plantLink) {
            const QString name = QStringLiteral(".inkpress-work-%1-%2.html")
                                     .arg(QCoreApplication::applicationPid())
                                     .arg(slot);
            ASSERT_TRUE(QFile::link(victim, QDir(c.folder).filePath(name)));
        }
        const QString path = working.write(c.folder, QStringLiteral("<p>page</p>"));
        ASSERT_FALSE(path.isEmpty());
        EXPECT_EQ(QFileInfo(path).absolutePath(), privateTempFolder());
        EXPECT_TRUE(readBytes(path).contains("<p>page</p>"));
        EXPECT_EQ(readBytes(victim), QByteArray("precious"));
        working.remove();
        EXPECT_FALSE(QFileInfo::exists(path));
    }
}

// The same text is not written again, but a working file that went, was cut
// or belongs to another folder is always written.
TEST(OwnFile, TheSameTextIsWrittenAgainWhereverTheFileNoLongerHoldsIt)
{
    QTemporaryDir first, second;
    WorkingFile working(60);
    const QString text = QStringLiteral("<p>page</p>");
    const QString path = working.write(first.path(), text);
    ASSERT_FALSE(path.isEmpty());
    const QByteArray written = readBytes(path);
    EXPECT_EQ(working.write(first.path(), text), path);

    const struct {
        const char* name;
        std::function<void()> meanwhile;
    } cases[] = {
        {"removed", [&] { QFile::remove(path); }},
        {"cut", [&] { QFile(path).resize(3); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.meanwhile();
        EXPECT_EQ(working.write(first.path(), text), path);
        EXPECT_EQ(readBytes(path), written);
    }
    const QString moved = working.write(second.path(), text);
    EXPECT_EQ(QFileInfo(moved).absolutePath(), QFileInfo(second.path()).absoluteFilePath());
    EXPECT_EQ(readBytes(moved), written);
    working.remove();
}

// A working file written ahead, before its window exists, becomes that
// window's own: under its name, holding what the window would have written,
// with nothing of it left behind and nothing written through a link.
TEST(OwnFile, AWorkingFileWrittenAheadBecomesTheWindowsOwn)
{
    QTemporaryDir pages;
    const QString victim = pages.filePath(QStringLiteral("victim.html"));
    writeBytes(victim, "precious");
    const QString text = QStringLiteral("<p>caf\u00e9</p>");
    const struct {
        const char* name;
        QString folder;
        bool plantLink;
    } cases[] = {
        {"the page's folder", pages.path(), false},
        {"a folder that is not there", pages.filePath(QStringLiteral("missing")), false},
        {"a link planted under the window's name", pages.path(), true},
    };
    int slot = 70;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString ahead = WorkingFile::writeAhead(c.folder, text);
        ASSERT_FALSE(ahead.isEmpty());
        // A later run clears it away like any working file of this run's.
        EXPECT_EQ(workingFileOwner(QFileInfo(ahead).fileName()), QCoreApplication::applicationPid());
        WorkingFile working(++slot);
        const QString own = QFileInfo(ahead).dir().filePath(
            QStringLiteral(".inkpress-work-%1-%2.html").arg(QCoreApplication::applicationPid()).arg(slot));
        if (c.plantLink)
            ASSERT_TRUE(QFile::link(victim, own));
        EXPECT_EQ(working.adopt(c.folder, text, ahead), own);
        EXPECT_FALSE(QFileInfo::exists(ahead));
        EXPECT_FALSE(QFileInfo(own).isSymLink());
        EXPECT_EQ(readBytes(victim), QByteArray("precious"));
        WorkingFile other(++slot);
        EXPECT_EQ(readBytes(own), readBytes(other.write(c.folder, text)));
        // The window knows what its file holds: the same text is not
        // written again (a mark put in at the same size stays).
        QByteArray marked = readBytes(own);
        marked[marked.size() - 3] = 'X';
        writeBytes(own, marked);
        EXPECT_EQ(working.write(c.folder, text), own);
        EXPECT_EQ(readBytes(own), marked);
        working.remove();
        EXPECT_FALSE(QFileInfo::exists(own));
    }
    WorkingFile working(++slot);
    EXPECT_EQ(working.adopt(pages.path(), text, pages.filePath(QStringLiteral("gone.html"))), QString());
    EXPECT_EQ(working.path(), QString());
}
