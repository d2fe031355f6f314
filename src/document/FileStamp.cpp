#include "document/FileStamp.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace ink {

namespace {

qint64 modifiedMsOf(const QFileInfo& info)
{
    return info.lastModified().toMSecsSinceEpoch();
}

}

QByteArray FileStamp::hashOf(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

FileStamp FileStamp::ofBytes(const QString& path, const QByteArray& bytes)
{
    const QFileInfo info(path);
    FileStamp stamp;
    stamp.exists = info.exists();
    stamp.size = bytes.size();
    stamp.modifiedMs = stamp.exists ? modifiedMsOf(info) : 0;
    stamp.hash = hashOf(bytes);
    return stamp;
}

FileStamp FileStamp::ofFile(const QString& path)
{
    const QFileInfo info(path);
    FileStamp stamp;
    if (!info.exists())
        return stamp;
    stamp.exists = true;
    stamp.size = info.size();
    stamp.modifiedMs = modifiedMsOf(info);
    QFile file(path);
    // A file that cannot be read any more keeps an empty hash, which no
    // bytes the program held can match.
    if (info.isFile() && file.open(QIODevice::ReadOnly))
        stamp.hash = hashOf(file.readAll());
    return stamp;
}

bool fileMatchesStamp(const QString& path, const FileStamp& known, FileStamp* now)
{
    const QFileInfo info(path);
    if (!info.exists() || !known.exists) {
        if (now)
            *now = info.exists() ? FileStamp::ofFile(path) : FileStamp();
        return info.exists() == known.exists;
    }
    // A different size settles it without reading; the same size may still
    // hide new bytes (the time alone is too coarse for two quick writes).
    if (info.size() != known.size) {
        if (now)
            *now = FileStamp::ofFile(path);
        return false;
    }
    const FileStamp present = FileStamp::ofFile(path);
    if (now)
        *now = present;
    return present.size == known.size && !present.hash.isEmpty() && present.hash == known.hash;
}

}
