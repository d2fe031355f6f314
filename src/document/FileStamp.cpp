#include "document/FileStamp.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QtEndian>

#include <algorithm>
#include <sys/stat.h>
#include <time.h>

namespace ink {

namespace {

// Longer than the coarsest time any file system in use keeps (two seconds).
constexpr qint64 kTimeGrainNs = 2'100'000'000;

qint64 nsOf(const struct timespec& time)
{
    return qint64(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

qint64 nowNs()
{
    struct timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    return nsOf(now);
}

// The identity of `path` when it is settled now, so that it can vouch for
// bytes read since `before` was seen.
std::optional<FileIdentity> settledSince(const QString& path, const std::optional<FileIdentity>& before,
                                         qint64 seenNs)
{
    if (!before || !identityIsSettled(*before, seenNs))
        return std::nullopt;
    const std::optional<FileIdentity> after = FileIdentity::of(path);
    return after == before ? after : std::nullopt;
}

qint64 modifiedMsOf(const QFileInfo& info)
{
    return info.lastModified().toMSecsSinceEpoch();
}

constexpr qsizetype kSha256Size = 32;

// Two 64-bit hashes of fixed seeds, so that the fingerprint of the same
// bytes is the same in every run of the program.
constexpr size_t kSeeds[] = {0x9e3779b97f4a7c15ull, 0xc2b2ae3d27d4eb4full};

// The file's bytes in the form of `like`: a stamp of an earlier version
// holds a SHA-256.
QByteArray hashLike(const QByteArray& like, const QByteArray& bytes)
{
    return like.size() == kSha256Size ? FileStamp::sha256Of(bytes) : FileStamp::hashOf(bytes);
}

}

std::optional<FileIdentity> FileIdentity::of(const QString& path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    FileIdentity identity;
    identity.device = quint64(info.st_dev);
    identity.inode = quint64(info.st_ino);
    identity.size = qint64(info.st_size);
    identity.modifiedNs = nsOf(info.st_mtim);
    identity.changedNs = nsOf(info.st_ctim);
    return identity;
}

bool identityIsSettled(const FileIdentity& identity, qint64 seenNs)
{
    const qint64 lastChange = std::max(identity.modifiedNs, identity.changedNs);
    return seenNs - lastChange > kTimeGrainNs;
}

QByteArray FileStamp::hashOf(const QByteArray& bytes)
{
    QByteArray hash(qsizetype(sizeof(quint64) * 2), Qt::Uninitialized);
    for (size_t i = 0; i < 2; ++i)
        qToLittleEndian(quint64(qHash(QByteArrayView(bytes), kSeeds[i])),
                        hash.data() + i * sizeof(quint64));
    return hash;
}

QByteArray FileStamp::sha256Of(const QByteArray& bytes)
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

FileStamp FileStamp::ofRead(const QString& path, const QByteArray& bytes,
                           const std::optional<FileIdentity>& before)
{
    const qint64 seen = nowNs();
    FileStamp stamp = ofBytes(path, bytes);
    if (stamp.exists && before && before->size == bytes.size())
        stamp.identity = settledSince(path, before, seen);
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
    // The file shows the very identity it had when its bytes were last seen
    // to match: any write since would have moved its change time.
    const qint64 seen = nowNs();
    const std::optional<FileIdentity> before = FileIdentity::of(path);
    if (known.exists && known.identity && before == known.identity) {
        if (now)
            *now = known;
        return true;
    }
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
    FileStamp present;
    present.exists = true;
    present.size = info.size();
    present.modifiedMs = modifiedMsOf(info);
    QFile file(path);
    // A file that cannot be read any more matches no bytes the program held.
    const bool read = info.isFile() && file.open(QIODevice::ReadOnly);
    const QByteArray bytes = read ? file.readAll() : QByteArray();
    if (read)
        present.hash = FileStamp::hashOf(bytes);
    const bool matches = read && present.size == known.size && hashLike(known.hash, bytes) == known.hash;
    if (matches && before && before->size == bytes.size())
        present.identity = settledSince(path, before, seen);
    if (now)
        *now = present;
    return matches;
}

}
