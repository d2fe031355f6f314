#include "projects/FolderListing.h"

#include "projects/PathHelpers.h"

#include <QDir>

namespace ink {

QList<FolderEntry> listFolderFiles(const QString& folder, bool* exists)
{
    QDir dir(folder);
    const bool found = !folder.isEmpty() && dir.exists();
    if (exists)
        *exists = found;
    QList<FolderEntry> entries;
    if (!found)
        return entries;
    const QStringList names = dir.entryList(QDir::Files, QDir::Name);
    for (const QString& name : names)
        entries.append({name, baseNameOfPath(name)});
    return entries;
}

QString entryPath(const QString& folder, const QString& text)
{
    if (text.isEmpty())
        return QString();
    return folder + QLatin1Char('/') + text;
}

}
