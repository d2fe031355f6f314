#include "document/OwnFile.h"

#include "document/RunOwnership.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ink {

namespace {

QString errnoText()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Opens the file for writing without following a link: an existing file is
// used only when it is a plain file of this user with no other name.
int openOwn(const QByteArray& path, QString* reason)
{
    const int flags = O_WRONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK;
    int fd = ::open(path.constData(), flags);
    if (fd < 0 && errno == ENOENT)
        fd = ::open(path.constData(), flags | O_CREAT | O_EXCL, 0600);
    if (fd < 0) {
        *reason = errno == ELOOP ? QStringLiteral("a link stands in its place") : errnoText();
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()
        || info.st_nlink != 1) {
        *reason = QStringLiteral("something that is not the program's own file stands in its place");
        ::close(fd);
        return -1;
    }
    return fd;
}

bool writeAll(int fd, QByteArrayView bytes)
{
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        left -= n;
    }
    return true;
}

}

bool writeOwnFile(const QString& path, const QByteArray& bytes, QString* reason)
{
    return writeOwnFile(path, {QByteArrayView(bytes)}, reason);
}

// The old bytes are written over and only the tail they leave is cut: a
// file rewritten at about its old length keeps its blocks.
bool writeOwnFile(const QString& path, std::initializer_list<QByteArrayView> pieces, QString* reason)
{
    QString why;
    const int fd = openOwn(QFile::encodeName(path), &why);
    bool written = fd >= 0;
    qint64 length = 0;
    for (const QByteArrayView piece : pieces) {
        if (!written)
            break;
        written = writeAll(fd, piece);
        length += piece.size();
    }
    if (fd >= 0 && (!written || ::ftruncate(fd, off_t(length)) != 0)) {
        why = errnoText();
        written = false;
    }
    if (fd >= 0 && ::close(fd) != 0 && written) {
        why = errnoText();
        written = false;
    }
    if (!written && reason)
        *reason = why;
    return written;
}

QString privateTempFolder()
{
    // Made once per run; QTemporaryDir makes it 0700 under a fresh name and
    // removes it with its contents when the program ends.
    static QTemporaryDir folder(
        QDir(QDir::tempPath()).filePath(privateFolderTemplate(QCoreApplication::applicationPid())));
    return folder.isValid() ? folder.path() : QString();
}

}
