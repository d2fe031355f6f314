#pragma once
#include <QByteArray>
#include <QString>

#include <optional>

namespace ink {

// What the file system says of a file without reading it: which file it is
// and when its bytes or its metadata last changed, to the nanosecond.
struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0; // the status change time, which no program can set back

    // The file at `path` as it is now; nothing when it cannot be looked at.
    static std::optional<FileIdentity> of(const QString& path);

    bool operator==(const FileIdentity& other) const
    {
        return device == other.device && inode == other.inode && size == other.size
            && modifiedNs == other.modifiedNs && changedNs == other.changedNs;
    }
    bool operator!=(const FileIdentity& other) const { return !(*this == other); }
};

// Whether an identity seen at `seenNs` (nanoseconds since the epoch) can
// stand for the bytes read with it. File systems keep times coarser than
// they show (a clock tick, or two seconds on some), so a write made in the
// same tick as the last one can leave every field as it was. Only a file
// whose last change is older than any such tick when it is looked at is
// safe: every later write then shows as a later time.
bool identityIsSettled(const FileIdentity& identity, qint64 seenNs);

// What the program last knew of a page's file: whether it was there, its
// size, its modification time and a hash of its bytes. Another program's
// write shows as a difference; a touch that left the bytes alone does not.
struct FileStamp {
    bool exists = false;
    qint64 size = 0;
    qint64 modifiedMs = 0; // milliseconds since the epoch
    // A fingerprint of the bytes (hashOf). A stamp kept by an earlier version
    // of the program holds their SHA-256 instead, which is compared as such.
    QByteArray hash;
    // The file's identity when it was seen to hold these bytes, once that
    // identity is settled: while the file shows it still, its bytes need not
    // be read again. Never written to disk with the stamp.
    std::optional<FileIdentity> identity;

    // The stamp of `bytes` just read from or written to `path`; the time is
    // the file's as it is now.
    static FileStamp ofBytes(const QString& path, const QByteArray& bytes);
    // The stamp of `bytes` just read from `path`, the file having shown
    // `before` right before the read: the identity is kept when the file
    // still shows it and it is settled.
    static FileStamp ofRead(const QString& path, const QByteArray& bytes,
                            const std::optional<FileIdentity>& before);
    // The stamp of the file as it is now (reads it whole to hash it).
    static FileStamp ofFile(const QString& path);
    // 128 bits from a fast non-cryptographic hash: enough to tell another
    // program's bytes from the program's own, and quick enough to run over a
    // long page at every save.
    static QByteArray hashOf(const QByteArray& bytes);
    // The SHA-256 of the bytes: what stamps of earlier versions held.
    static QByteArray sha256Of(const QByteArray& bytes);

    // The identity is what the program saw of the file, not part of what the
    // stamp says of its bytes.
    bool operator==(const FileStamp& other) const
    {
        return exists == other.exists && size == other.size && modifiedMs == other.modifiedMs
            && hash == other.hash;
    }
    bool operator!=(const FileStamp& other) const { return !(*this == other); }
};

// Whether the file at `path` still holds what `known` describes: a file that
// appeared or vanished, or another size, is a change; a file that still
// shows the stamp's settled identity is none; otherwise the bytes decide, so
// a touch is none. `now`, when given, receives the file's present stamp,
// with a settled identity when the bytes were read and matched.
bool fileMatchesStamp(const QString& path, const FileStamp& known, FileStamp* now = nullptr);

}
