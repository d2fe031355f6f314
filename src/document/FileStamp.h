#pragma once
#include <QByteArray>
#include <QString>

namespace ink {

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

    // The stamp of `bytes` just read from or written to `path`; the time is
    // the file's as it is now.
    static FileStamp ofBytes(const QString& path, const QByteArray& bytes);
    // The stamp of the file as it is now (reads it whole to hash it).
    static FileStamp ofFile(const QString& path);
    // 128 bits from a fast non-cryptographic hash: enough to tell another
    // program's bytes from the program's own, and quick enough to run over a
    // long page at every save.
    static QByteArray hashOf(const QByteArray& bytes);
    // The SHA-256 of the bytes: what stamps of earlier versions held.
    static QByteArray sha256Of(const QByteArray& bytes);

    bool operator==(const FileStamp& other) const
    {
        return exists == other.exists && size == other.size && modifiedMs == other.modifiedMs
            && hash == other.hash;
    }
    bool operator!=(const FileStamp& other) const { return !(*this == other); }
};

// Whether the file at `path` still holds what `known` describes: a file that
// appeared or vanished, or another size, is a change; otherwise the bytes
// decide, so a touch is none. `now`, when given, receives the file's present
// stamp.
bool fileMatchesStamp(const QString& path, const FileStamp& known, FileStamp* now = nullptr);

}
