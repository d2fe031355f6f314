#include "codetools/LibraryFiles.h"

#include "base/ProgramFolder.h"
#include "projects/PathHelpers.h"

namespace ink {

QString libraryFolder()
{
    return joinPath(programFolder(), QStringLiteral("Library"));
}

QString snippetNameProblem(const QString& path)
{
    const QString name = fileNameOfPath(path);
    if (name.trimmed().isEmpty())
        return QStringLiteral("Please choose a file name for the snippet.");
    if (name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?')))
        return QStringLiteral("\"%1\" is a pattern, not a file name. Please choose a file name for "
                              "the snippet.").arg(name);
    return QString();
}

}
