#include "projects/ProjectCreation.h"

#include <QDir>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

namespace ink {

namespace fs = std::filesystem;

namespace {

fs::path toPath(const QString& text)
{
    return fs::path(text.toStdString());
}

QString fromPath(const fs::path& path)
{
    return QString::fromStdString(path.string());
}

QString reason(const std::error_code& error)
{
    return QString::fromLocal8Bit(error.message().c_str());
}

bool fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

bool copyEntry(const fs::directory_entry& entry, const fs::path& target, QString* error)
{
    std::error_code ec;
    if (entry.is_symlink(ec))
        fs::copy_symlink(entry.path(), target, ec);
    else if (entry.is_directory(ec))
        return copyFolderTree(fromPath(entry.path()), fromPath(target), error);
    else
        fs::copy_file(entry.path(), target, fs::copy_options::none, ec);
    if (ec)
        return fail(error, QStringLiteral("Could not copy %1: %2").arg(fromPath(entry.path()), reason(ec)));
    return true;
}

}

QString projectNameProblem(const QString& name)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("Please enter a name for the project.");
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("\".\" and \"..\" cannot be used as a project name.");
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return QStringLiteral("A project name is one folder name: it cannot contain \"/\" or \"\\\".");
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return QStringLiteral("The project name contains a character that cannot be used in a folder name.");
    }
    if (name.toUtf8().size() > 255)
        return QStringLiteral("The project name is too long for a folder name.");
    return QString();
}

ProjectTarget projectTarget(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return ProjectTarget::Free;
    if (!info.isDir() || info.isSymLink())
        return ProjectTarget::NotAFolder;
    const QDir dir(path);
    const bool empty = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).isEmpty();
    return empty ? ProjectTarget::EmptyFolder : ProjectTarget::Occupied;
}

QString unusedPathFor(const QString& parent, const QString& base)
{
    const QString stem = parent + QLatin1Char('/') + base + QStringLiteral("temp");
    QString candidate = stem;
    for (int n = 2; QFileInfo(candidate).exists() || QFileInfo(candidate).isSymLink(); ++n)
        candidate = stem + QString::number(n);
    return candidate;
}

bool copyFolderTree(const QString& from, const QString& to, QString* error)
{
    std::error_code ec;
    const fs::path target = toPath(to);
    if (!fs::create_directory(target, ec)) {
        const QString why = ec ? reason(ec) : QStringLiteral("it already exists");
        return fail(error, QStringLiteral("Could not create the folder %1: %2").arg(to, why));
    }
    fs::directory_iterator it(toPath(from), ec);
    if (ec)
        return fail(error, QStringLiteral("Could not read the folder %1: %2").arg(from, reason(ec)));
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (!copyEntry(*it, target / it->path().filename(), error))
            return false;
    }
    if (ec)
        return fail(error, QStringLiteral("Could not read the folder %1: %2").arg(from, reason(ec)));
    return true;
}

ProjectResult createProject(const QString& templateFolder, const QString& parent,
                            const QString& name, const FolderCopier& copier)
{
    ProjectResult result;
    result.error = projectNameProblem(name);
    if (!result.error.isEmpty())
        return result;
    if (!QFileInfo(templateFolder).isDir()) {
        result.error = QStringLiteral("The template folder %1 was not found.").arg(templateFolder);
        return result;
    }
    if (!QFileInfo(parent).isDir()) {
        result.error = QStringLiteral("The folder %1 does not exist.").arg(parent);
        return result;
    }
    const QString target = parent + QLatin1Char('/') + name;
    switch (projectTarget(target)) {
    case ProjectTarget::Occupied:
        result.error = QStringLiteral("Project already exists");
        return result;
    case ProjectTarget::NotAFolder:
        result.error = QStringLiteral("A file named \"%1\" already exists in %2.").arg(name, parent);
        return result;
    default:
        break;
    }
    const QString copy = unusedPathFor(parent, QFileInfo(QDir::cleanPath(templateFolder)).fileName());
    QString why;
    bool copied = copier(templateFolder, copy, &why);
    std::error_code ec;
    // A new, empty folder of the project's name is taken over by the rename.
    if (copied && projectTarget(target) != ProjectTarget::Occupied) {
        fs::rename(toPath(copy), toPath(target), ec);
        if (ec) {
            copied = false;
            why = QStringLiteral("Could not create the folder %1: %2").arg(target, reason(ec));
        }
    } else if (copied) {
        copied = false;
        why = QStringLiteral("Project already exists");
    }
    if (!copied) {
        fs::remove_all(toPath(copy), ec);
        // The copy is made under a passing name first; the user knows the
        // project by the folder chosen, so a message names that one.
        why.replace(copy, target);
        result.error = why.isEmpty() ? QStringLiteral("Copying the template failed.") : why;
        return result;
    }
    result.ok = true;
    result.folder = target;
    return result;
}

}
