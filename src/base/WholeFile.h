#pragma once
#include <QByteArray>
#include <QString>

namespace ink {

// Replaces the file at `path` by `bytes` in one step: the bytes go to a file
// beside it, which takes the old file's place only once every byte is on
// disk. A short write (a full disk, a size limit) counts as a failure, like
// any other, and leaves the old file exactly as it was. On failure returns
// false and, when `reason` is given, says why in words for the user.
bool replaceFileBytes(const QString& path, const QByteArray& bytes, QString* reason = nullptr);

}
