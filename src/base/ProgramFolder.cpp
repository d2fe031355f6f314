#include "base/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace ink {

QString programFolder()
{
    QString folder = qEnvironmentVariable("INKPRESS_PROGRAM_FOLDER");
    if (folder.isEmpty())
        folder = QCoreApplication::applicationDirPath();
    folder = QDir::cleanPath(folder);
    if (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}

QString joinPath(const QString& folder, const QString& relative)
{
    if (folder.endsWith(QLatin1Char('/')))
        return folder + relative;
    return folder + QLatin1Char('/') + relative;
}

}
