#include "base/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace ink {

namespace {

QString cleanFolder(const QString& folder)
{
    QString clean = QDir::cleanPath(folder);
    if (clean.size() > 1 && clean.endsWith(QLatin1Char('/')))
        clean.chop(1);
    return clean;
}

// A folder holds the program's resources when its page templates are there.
bool holdsResources(const QString& folder)
{
    return QFileInfo(joinPath(folder, QStringLiteral("templates"))).isDir();
}

// The state folder can live in `folder` when it is there and writable, or
// when `folder` itself can be written to create it.
bool canKeepState(const QString& folder)
{
    const QFileInfo state(joinPath(folder, QStringLiteral("state")));
    if (state.exists())
        return state.isDir() && state.isWritable();
    return QFileInfo(folder).isWritable();
}

QString userStateFolder(const QString& configFolder)
{
    return joinPath(cleanFolder(configFolder), QStringLiteral("state"));
}

}

ProgramFolders locateProgramFolders(const QString& overrideFolder, const QString& executableFolder,
                                    const QString& configFolder, const QString& documentsFolder)
{
    const auto beside = [](const QString& folder) {
        return ProgramFolders{folder, joinPath(folder, QStringLiteral("state")), folder};
    };
    const auto apart = [&](const QString& folder) {
        return ProgramFolders{folder, userStateFolder(configFolder), cleanFolder(documentsFolder)};
    };
    if (!overrideFolder.isEmpty())
        return beside(cleanFolder(overrideFolder));
    const QString programDir = cleanFolder(executableFolder);
    const QString installed = cleanFolder(joinPath(programDir, QStringLiteral("../share/inkpress")));
    // Resources beside the program (a build or a portable copy) come first;
    // when nothing is found the program's own folder stays the place, so
    // that messages name a sensible folder.
    if (!holdsResources(programDir) && holdsResources(installed))
        return apart(installed);
    return canKeepState(programDir) ? beside(programDir) : apart(programDir);
}

namespace {

ProgramFolders currentFolders()
{
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(documents).isDir())
        documents = QDir::homePath();
    return locateProgramFolders(
        qEnvironmentVariable("INKPRESS_PROGRAM_FOLDER"), QCoreApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation), documents);
}

}

QString programFolder()
{
    return currentFolders().resources;
}

QString stateFolder()
{
    return currentFolders().state;
}

QString newPageFolder()
{
    return currentFolders().pages;
}

QString recoveryFolder()
{
    const ProgramFolders folders = currentFolders();
    if (folders.state == joinPath(folders.resources, QStringLiteral("state")))
        return joinPath(folders.state, QStringLiteral("recovery"));
    return joinPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                    QStringLiteral("recovery"));
}

QString joinPath(const QString& folder, const QString& relative)
{
    if (folder.endsWith(QLatin1Char('/')))
        return folder + relative;
    return folder + QLatin1Char('/') + relative;
}

}
