#include "document/OwnFile.h"
#include "document/RecoveryStore.h"
#include "document/RunOwnership.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <set>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace ink;

namespace {

constexpr qint64 Own = 500;
constexpr qint64 LiveOther = 600;
constexpr qint64 Dead = 700;

bool fakeAlive(qint64 pid)
{
    return pid == Own || pid == LiveOther;
}

void touch(const QString& path, const QByteArray& bytes = "x")
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

RecoveryRecord recordOf(qint64 pid, int slot, const QString& text)
{
    RecoveryRecord r;
    r.pid = pid;
    r.slot = slot;
    r.folder = QStringLiteral("/pages");
    r.caption = QStringLiteral("p.html");
    r.text = text;
    return r;
}

}

TEST(RunOwnership, OnlyDeadRunsLoseTheirFiles)
{
    const QStringList names = {
        QStringLiteral(".inkpress-work-500-1.html"), // this run
        QStringLiteral(".inkpress-work-600-1.html"), // a live run
        QStringLiteral(".inkpress-work-700-1.html"), // a dead run
        QStringLiteral(".inkpress-work-700-0.htm"),
        // Names of the user's: not hidden, a copy, no window number.
        QStringLiteral("inkpress-work-700-3.html"),
        QStringLiteral(".inkpress-work-700-3.html.bak"),
        QStringLiteral(".inkpress-work-700.html"),
        QStringLiteral(".inkpress-work-abc-1.html"),
        QStringLiteral("index.html"),
    };
    EXPECT_EQ(strayWorkingFiles(names, Own, fakeAlive),
              QStringList({QStringLiteral(".inkpress-work-700-1.html"), QStringLiteral(".inkpress-work-700-0.htm")}));
    EXPECT_FALSE(isLeftByDeadRun(Own, Own, [](qint64) { return false; }));
    EXPECT_FALSE(isLeftByDeadRun(0, Own, fakeAlive));
    EXPECT_TRUE(isLeftByDeadRun(Dead, Own, fakeAlive));
}

TEST(RunOwnership, ProcessExistsTellsAFinishedChildFromThisProcess)
{
    EXPECT_TRUE(processExists(::getpid()));
    EXPECT_FALSE(processExists(0));
    EXPECT_FALSE(processExists(-5));
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ASSERT_GT(child, 0);
    ::waitpid(child, nullptr, 0);
    EXPECT_FALSE(processExists(child));
}

TEST(RunOwnership, StrayWorkingFilesAreRemovedFromKnownFoldersOnly)
{
    QTemporaryDir pages;
    QTemporaryDir other;
    touch(pages.filePath(QStringLiteral(".inkpress-work-700-1.html")));
    touch(pages.filePath(QStringLiteral(".inkpress-work-600-1.html")));
    touch(pages.filePath(QStringLiteral("index.html")));
    touch(other.filePath(QStringLiteral(".inkpress-work-700-2.html")));
    // A folder under the working file's name is nobody's working file.
    QDir(pages.path()).mkdir(QStringLiteral(".inkpress-work-700-9.html"));

    const QStringList removed = removeStrayWorkingFiles({pages.path(), pages.path() + "/"}, Own, fakeAlive);
    EXPECT_EQ(removed, QStringList{pages.filePath(QStringLiteral(".inkpress-work-700-1.html"))});
    EXPECT_TRUE(QFileInfo::exists(pages.filePath(QStringLiteral(".inkpress-work-600-1.html"))));
    EXPECT_TRUE(QFileInfo::exists(pages.filePath(QStringLiteral("index.html"))));
    EXPECT_TRUE(QFileInfo::exists(pages.filePath(QStringLiteral(".inkpress-work-700-9.html"))));
    EXPECT_TRUE(QFileInfo::exists(other.filePath(QStringLiteral(".inkpress-work-700-2.html"))));
}

TEST(RunOwnership, StrayLinkIsRemovedWithoutTouchingItsTarget)
{
    QTemporaryDir pages;
    const QString target = pages.filePath(QStringLiteral("precious.html"));
    touch(target, "keep me");
    const QString link = pages.filePath(QStringLiteral(".inkpress-work-700-1.html"));
    ASSERT_TRUE(QFile::link(target, link));
    removeStrayWorkingFiles({pages.path()}, Own, fakeAlive);
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("keep me"));
}

TEST(RunOwnership, PrivateFoldersOfDeadRunsAreCleared)
{
    QTemporaryDir temp;
    const QDir root(temp.path());
    root.mkdir(QStringLiteral("inkpress-700-abcdef"));
    root.mkdir(QStringLiteral("inkpress-600-abcdef"));
    root.mkdir(QStringLiteral("inkpress-700-keepme"));
    touch(root.filePath(QStringLiteral("inkpress-700-abcdef/.inkpress-work-700-1.html")));
    touch(root.filePath(QStringLiteral("inkpress-600-abcdef/.inkpress-work-600-1.html")));
    touch(root.filePath(QStringLiteral("inkpress-700-keepme/notes.txt")));

    removeStrayPrivateFolders(temp.path(), Own, fakeAlive);
    EXPECT_FALSE(QFileInfo::exists(root.filePath(QStringLiteral("inkpress-700-abcdef"))));
    EXPECT_TRUE(QFileInfo::exists(root.filePath(QStringLiteral("inkpress-600-abcdef/.inkpress-work-600-1.html"))));
    // Something that is not a working file stays, and with it its folder.
    EXPECT_TRUE(QFileInfo::exists(root.filePath(QStringLiteral("inkpress-700-keepme/notes.txt"))));
}

TEST(RecoveryStore, OffersOnlySoundCopiesOfDeadRuns)
{
    QTemporaryDir dir;
    const RecoveryStore store(dir.filePath(QStringLiteral("recovery")));
    ASSERT_TRUE(store.write(recordOf(Dead, 2, QStringLiteral("dead two"))));
    ASSERT_TRUE(store.write(recordOf(Dead, 1, QStringLiteral("dead one"))));
    ASSERT_TRUE(store.write(recordOf(LiveOther, 1, QStringLiteral("live"))));
    ASSERT_TRUE(store.write(recordOf(Own, 1, QStringLiteral("mine"))));
    // A damaged copy and one renamed by hand are left alone.
    touch(store.folder() + QStringLiteral("/800-1.inkrecover"), "Inkpress recovery 1\npid: 800\n");
    QFile::copy(store.pathFor(Dead, 1), store.folder() + QStringLiteral("/900-1.inkrecover"));

    for (const QString& path : {store.folder(), store.pathFor(Dead, 1)})
        EXPECT_EQ(QFileInfo(path).permissions() & (QFile::ReadOther | QFile::ReadGroup),
                  QFile::Permissions()) << path.toStdString();
    const QList<RecoveryStore::Found> found = store.leftBehind(Own, fakeAlive);
    ASSERT_EQ(found.size(), 2);
    EXPECT_EQ(found[0].record.text, QStringLiteral("dead one"));
    EXPECT_EQ(found[1].record.text, QStringLiteral("dead two"));
    EXPECT_EQ(found[0].path, store.pathFor(Dead, 1));

    store.remove(Dead, 1);
    EXPECT_EQ(store.leftBehind(Own, fakeAlive).size(), 1);
}
