#include "base/WholeFile.h"

#include <QSaveFile>

namespace ink {

bool replaceFileBytes(const QString& path, const QByteArray& bytes, QString* reason)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (reason)
            *reason = file.errorString();
        return false;
    }
    const qint64 written = file.write(bytes);
    // Every byte must have reached the disk before the old file is replaced;
    // flushing first makes a short write of buffered bytes show up here.
    if (written != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        if (reason) {
            *reason = file.error() != QFileDevice::NoError
                ? file.errorString()
                : QStringLiteral("only %1 of %2 bytes could be written (is the disk full?)")
                      .arg(qMax<qint64>(written, 0))
                      .arg(bytes.size());
        }
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (reason)
            *reason = file.errorString();
        return false;
    }
    return true;
}

}
