#include "dialogs/widgets/ImageImport.h"

#include "base/widgets/Prompts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ink {

namespace {

QString failed(QWidget* owner, const QString& file, const QString& reason)
{
    Prompts::current().warning(owner, QObject::tr("Import Image"),
                               QObject::tr("The image could not be imported to %1:\n%2").arg(file, reason));
    return {};
}

// Copies through a partial file so that a failed copy never leaves a
// half-written image in place of a good one.
bool copyReplacing(const QString& source, const QString& target, QString& reason)
{
    const QString partial = target + QStringLiteral(".part");
    QFile::remove(partial);
    QFile in(source);
    if (!in.copy(partial)) {
        reason = in.errorString();
        QFile::remove(partial);
        return false;
    }
    if (QFile::exists(target) && !QFile::remove(target)) {
        reason = QObject::tr("the existing file cannot be replaced");
        QFile::remove(partial);
        return false;
    }
    if (!QFile::rename(partial, target)) {
        reason = QObject::tr("the copied file cannot be renamed");
        QFile::remove(partial);
        return false;
    }
    return true;
}

} // namespace

QString importIntoImages(const QString& source, const QString& pageFolder, QWidget* owner)
{
    const QFileInfo from(source);
    if (source.isEmpty() || pageFolder.isEmpty())
        return {};
    const QString images = QDir(pageFolder).filePath(QStringLiteral("images"));
    const QString name = from.fileName();
    const QString reference = QStringLiteral("images/") + name;
    const QString target = QDir(images).filePath(name);
    if (!from.isFile())
        return failed(owner, target, QObject::tr("%1 is not a readable file").arg(source));
    if (!QDir().mkpath(images))
        return failed(owner, target, QObject::tr("the images folder cannot be created"));
    const QFileInfo to(target);
    if (to.exists() && to.canonicalFilePath() == from.canonicalFilePath())
        return reference;
    if (to.exists()
        && !Prompts::current().askYesNo(owner, QObject::tr("Import Image"),
                                        QObject::tr("%1 already exists.\nDo you want to replace it?").arg(target)))
        return {};
    QString reason;
    if (!copyReplacing(source, target, reason))
        return failed(owner, target, reason);
    return reference;
}

}
