#include "document/RecoveryStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <unistd.h>

namespace ink {

namespace {

const QString Extension = QStringLiteral(".inkrecover");
constexpr qint64 MaxRecordSize = 2 * MaxPageFileSize + 1024 * 1024;

bool isOwnPlainFile(const QFileInfo& info)
{
    return info.isFile() && !info.isSymLink() && info.ownerId() == ::geteuid();
}

}

QString RecoveryStore::pathFor(qint64 pid, int slot) const
{
    return QDir(folder_).filePath(QStringLiteral("%1-%2").arg(pid).arg(slot) + Extension);
}

bool RecoveryStore::write(const RecoveryRecord& record, QString* reason) const
{
    if (!QFileInfo(folder_).isDir()) {
        if (!QDir().mkpath(folder_)) {
            if (reason)
                *reason = QStringLiteral("the folder %1 could not be made").arg(folder_);
            return false;
        }
        QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QSaveFile file(pathFor(record.pid, record.slot));
    const QByteArray bytes = serializeRecovery(record);
    // The copy holds what the user typed: for the user's eyes only.
    if (!file.open(QIODevice::WriteOnly) || !file.setPermissions(QFile::ReadOwner | QFile::WriteOwner)
        || file.write(bytes) != bytes.size() || !file.commit()) {
        if (reason)
            *reason = file.errorString();
        return false;
    }
    return true;
}

void RecoveryStore::remove(qint64 pid, int slot) const
{
    QFile::remove(pathFor(pid, slot));
}

QList<RecoveryStore::Found> RecoveryStore::leftBehind(qint64 ownPid, const ProcessAlive& alive) const
{
    QList<Found> found;
    const QFileInfoList files =
        QDir(folder_).entryInfoList({QLatin1Char('*') + Extension}, QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo& info : files) {
        if (!isOwnPlainFile(info) || info.size() > MaxRecordSize)
            continue;
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        Found item;
        item.path = info.filePath();
        if (!parseRecovery(file.readAll(), &item.record))
            continue;
        // The name must agree with the content: a copy renamed by hand is
        // not taken for another run's.
        if (info.fileName() != QFileInfo(pathFor(item.record.pid, item.record.slot)).fileName())
            continue;
        if (isLeftByDeadRun(item.record.pid, ownPid, alive))
            found << item;
    }
    std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return a.record.pid != b.record.pid ? a.record.pid < b.record.pid : a.record.slot < b.record.slot;
    });
    return found;
}

QStringList removeStrayWorkingFiles(const QStringList& folders, qint64 ownPid, const ProcessAlive& alive)
{
    QStringList removed;
    QStringList seen;
    for (const QString& folder : folders) {
        const QString clean = QDir::cleanPath(folder);
        if (folder.isEmpty() || seen.contains(clean))
            continue;
        seen << clean;
        const QDir dir(clean);
        const QStringList names =
            dir.entryList({QStringLiteral(".inkpress-work-*")}, QDir::Files | QDir::Hidden | QDir::System);
        for (const QString& name : strayWorkingFiles(names, ownPid, alive)) {
            const QString path = dir.filePath(name);
            const QFileInfo info(path);
            // A link under the name is removed too (never followed): it is
            // not the user's file, only a name of the program's.
            if ((isOwnPlainFile(info) || info.isSymLink()) && QFile::remove(path))
                removed << path;
        }
    }
    return removed;
}

QStringList removeStrayPrivateFolders(const QString& tempRoot, qint64 ownPid, const ProcessAlive& alive)
{
    QStringList removed;
    const QFileInfoList folders =
        QDir(tempRoot).entryInfoList({QStringLiteral("inkpress-*")}, QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QFileInfo& info : folders) {
        if (info.isSymLink() || info.ownerId() != ::geteuid()
            || !isLeftByDeadRun(privateFolderOwner(info.fileName()), ownPid, alive))
            continue;
        removed << removeStrayWorkingFiles({info.filePath()}, ownPid, alive);
        QDir().rmdir(info.filePath());
    }
    return removed;
}

}
