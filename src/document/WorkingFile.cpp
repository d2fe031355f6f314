#include "document/WorkingFile.h"

#include "document/OwnFile.h"
#include "document/PageFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

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

QString WorkingFile::write(const QString& folder, const QString& text, QByteArrayView utf8)
{
    // A view switch that changed nothing does not write a long page again;
    // a file removed or cut meanwhile is.
    if (!path_.isEmpty() && folder == folder_ && text == text_ && QFileInfo(path_).size() == size_)
        return path_;
    // Until a write succeeds, nothing is known of what the file holds.
    text_.clear();
    size_ = -1;
    QStringList candidates;
    if (!folder.isEmpty())
        candidates << QDir(folder).filePath(nameFor());
    // Never the shared temporary folder itself: another user could have
    // planted a file or link under the name there.
    const QString privateFolder = privateTempFolder();
    if (!privateFolder.isEmpty())
        candidates << QDir(privateFolder).filePath(nameFor());
    for (const QString& candidate : candidates) {
        if (writeTo(candidate, text, utf8)) {
            path_ = candidate;
            folder_ = folder;
            text_ = text;
            size_ = QFileInfo(candidate).size();
            if (!written_.contains(candidate))
                written_ << candidate;
            return path_;
        }
    }
    return QString();
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
