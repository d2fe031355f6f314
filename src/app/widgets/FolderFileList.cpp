#include "app/widgets/FolderFileList.h"

#include <QDir>

namespace ink {

namespace {
const QString workingFilePrefix = QStringLiteral(".inkpress");
}

FolderFileList::FolderFileList(QWidget* parent) : QListWidget(parent) {}

bool FolderFileList::setFolder(const QString& path)
{
    if (path.isEmpty() || !QDir(path).exists())
        return false;
    folder_ = path;
    refresh();
    return true;
}

void FolderFileList::refresh()
{
    clear();
    if (folder_.isEmpty())
        return;
    const QStringList names = QDir(folder_).entryList(QDir::Files | QDir::Hidden,
                                                      QDir::Name | QDir::IgnoreCase);
    for (const QString& name : names) {
        if (!name.startsWith(workingFilePrefix))
            addItem(name);
    }
}

QStringList FolderFileList::fileNames() const
{
    QStringList names;
    for (int i = 0; i < count(); ++i)
        names << item(i)->text();
    return names;
}

}
