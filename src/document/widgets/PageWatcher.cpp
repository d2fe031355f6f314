#include "document/widgets/PageWatcher.h"

#include <QFileInfo>
#include <QSet>

namespace ink {

namespace {
constexpr int SettleMs = 250;
// Past the coarsest file time any file system keeps.
constexpr int VerifyMs = 2500;
}

PageWatcher::PageWatcher(QObject* parent) : QObject(parent)
{
    settle_.setSingleShot(true);
    settle_.setInterval(SettleMs);
    connect(&settle_, &QTimer::timeout, this, &PageWatcher::checkAll);
    verify_.setSingleShot(true);
    verify_.setInterval(VerifyMs);
    connect(&verify_, &QTimer::timeout, this, &PageWatcher::checkAll);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &PageWatcher::fileEvent);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &PageWatcher::fileEvent);
}

void PageWatcher::watch(int slot, const QString& path, const FileStamp& stamp)
{
    forget(slot);
    pages_.insert(slot, Page{path, stamp, {}, false});
    rearm();
    verifyLater(stamp);
}

void PageWatcher::forget(int slot)
{
    if (pages_.remove(slot))
        rearm();
}

void PageWatcher::setStamp(int slot, const FileStamp& stamp)
{
    const auto it = pages_.find(slot);
    if (it == pages_.end())
        return;
    it->stamp = stamp;
    it->hasReported = false;
    rearm();
    verifyLater(stamp);
}

bool PageWatcher::unchanged(int slot, FileStamp* now)
{
    const auto it = pages_.find(slot);
    if (it == pages_.end())
        return true;
    return matches(*it, now);
}

// A match that read the file keeps the identity it was seen with.
bool PageWatcher::matches(Page& page, FileStamp* now)
{
    FileStamp present;
    if (!fileMatchesStamp(page.path, page.stamp, &present)) {
        if (now)
            *now = present;
        return false;
    }
    // A touch leaves the bytes but moves the identity: the new one, when
    // settled, stands for them from now on.
    page.stamp.identity = present.identity;
    if (now)
        *now = present;
    return true;
}

void PageWatcher::verifyLater(const FileStamp& stamp)
{
    if (stamp.exists && !stamp.identity)
        verify_.start();
}

// An editor that saves by writing a new file and renaming it over the old
// one leaves the watch on the old file, which is gone: the file is watched
// again after every event, and its folder too, so that a file that comes
// back after a moment without one is seen.
void PageWatcher::rearm()
{
    QSet<QString> wanted;
    for (const Page& page : std::as_const(pages_)) {
        if (QFileInfo::exists(page.path))
            wanted.insert(page.path);
        wanted.insert(QFileInfo(page.path).absolutePath());
    }
    const QStringList watched = watcher_.files() + watcher_.directories();
    QStringList stale;
    for (const QString& path : watched)
        if (!wanted.contains(path))
            stale << path;
    if (!stale.isEmpty())
        watcher_.removePaths(stale);
    QStringList added;
    for (const QString& path : std::as_const(wanted))
        if (!watched.contains(path))
            added << path;
    if (!added.isEmpty())
        watcher_.addPaths(added);
}

void PageWatcher::fileEvent()
{
    rearm();
    settle_.start();
}

void PageWatcher::checkAll()
{
    rearm();
    QList<int> changed;
    for (auto it = pages_.begin(); it != pages_.end(); ++it) {
        FileStamp now;
        if (matches(*it, &now))
            continue;
        if (it->hasReported && fileMatchesStamp(it->path, it->reported))
            continue;
        it->reported = now;
        it->hasReported = true;
        changed << it.key();
    }
    for (int slot : std::as_const(changed))
        emit changedOutside(slot);
}

}
