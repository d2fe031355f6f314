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
                                    const QString& configFolder)
{
    if (!overrideFolder.isEmpty()) {
        const QString folder = cleanFolder(overrideFolder);
        return {folder, joinPath(folder, QStringLiteral("state"))};
    }
    const QString beside = cleanFolder(executableFolder);
    if (holdsResources(beside)) {
        return {beside, canKeepState(beside) ? joinPath(beside, QStringLiteral("state"))
                                             : userStateFolder(configFolder)};
    }
    const QString installed = cleanFolder(joinPath(beside, QStringLiteral("../share/inkpress")));
    if (holdsResources(installed))
        return {installed, userStateFolder(configFolder)};
    // Nothing found: keep the old place so that messages name a sensible folder.
    return {beside, canKeepState(beside) ? joinPath(beside, QStringLiteral("state"))
                                         : userStateFolder(configFolder)};
}

namespace {

ProgramFolders currentFolders()
{
    return locateProgramFolders(
        qEnvironmentVariable("INKPRESS_PROGRAM_FOLDER"), QCoreApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
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

QString joinPath(const QString& folder, const QString& relative)
{
    if (folder.endsWith(QLatin1Char('/')))
        return folder + relative;
    return folder + QLatin1Char('/') + relative;
}

}
