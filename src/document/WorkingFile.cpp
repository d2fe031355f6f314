#include "document/WorkingFile.h"

#include "document/OwnFile.h"
#include "document/PageFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <atomic>
#include <cstdio>

namespace ink {

namespace {
const QLatin1String Prefix(".inkpress-work-");
}

WorkingFile::WorkingFile(int slot, const QString& extension)
    : slot_(slot), extension_(extension)
{
}

WorkingFile::~WorkingFile()
{
    remove();
}

QString WorkingFile::nameFor() const
{
    return Prefix + QString::number(QCoreApplication::applicationPid()) + QLatin1Char('-')
        + QString::number(slot_) + QLatin1Char('.') + extension_;
}

bool WorkingFile::isWorkingFileName(const QString& fileName)
{
    return fileName.startsWith(Prefix);
}

bool WorkingFile::writeTo(const QString& path, const QString& text, QByteArrayView utf8)
{
    return utf8.isNull() ? writeWorkingFileText(path, text) : writeWorkingFileUtf8(path, utf8);
}

// The page's folder first; never the shared temporary folder itself
// (another user could have planted a file or link under the name there).
QStringList WorkingFile::candidates(const QString& folder, const QString& name)
{
    QStringList paths;
    if (!folder.isEmpty())
        paths << QDir(folder).filePath(name);
    const QString privateFolder = privateTempFolder();
    if (!privateFolder.isEmpty())
        paths << QDir(privateFolder).filePath(name);
    return paths;
}

QString WorkingFile::write(const QString& folder, const QString& text, QByteArrayView utf8)
{
    // A view switch that changed nothing does not write a long page again;
    // a file removed or cut meanwhile is.
    if (!path_.isEmpty() && folder == folder_ && text == text_ && QFileInfo(path_).size() == size_)
        return path_;
    // Until a write succeeds, nothing is known of what the file holds.
    text_.clear();
    size_ = -1;
    for (const QString& candidate : candidates(folder, nameFor())) {
        if (writeTo(candidate, text, utf8)) {
            written(candidate, folder, text);
            return path_;
        }
    }
    return QString();
}

void WorkingFile::written(const QString& path, const QString& folder, const QString& text)
{
    path_ = path;
    folder_ = folder;
    text_ = text;
    size_ = QFileInfo(path).size();
    if (!written_.contains(path))
        written_ << path;
}

// Numbered from 0 with a leading 0, which no window's number has: the name
// is never a window's, and a later run still knows it for this run's.
QString WorkingFile::writeAhead(const QString& folder, const QString& text, QByteArrayView utf8,
                                const QString& extension)
{
    static std::atomic<int> aheadCount{0};
    const QString name = Prefix + QString::number(QCoreApplication::applicationPid())
        + QStringLiteral("-0") + QString::number(aheadCount++) + QLatin1Char('.') + extension;
    for (const QString& candidate : candidates(folder, name)) {
        if (writeTo(candidate, text, utf8))
            return candidate;
    }
    return QString();
}

QString WorkingFile::adopt(const QString& folder, const QString& text, const QString& aheadPath)
{
    if (aheadPath.isEmpty())
        return QString();
    const QString path = QFileInfo(aheadPath).dir().filePath(nameFor());
    // A rename replaces whatever stands under the name, a planted link
    // included, and never writes through it.
    if (::rename(QFile::encodeName(aheadPath).constData(), QFile::encodeName(path).constData()) != 0) {
        QFile::remove(aheadPath);
        return QString();
    }
    written(path, folder, text);
    return path_;
}

void WorkingFile::remove()
{
    for (const QString& file : written_)
        QFile::remove(file);
    written_.clear();
    text_.clear();
    size_ = -1;
}

}
