#pragma once
#include <QString>
#include <QStringList>

namespace ink {

// One entry of a folder list: a file shown by its name without extension.
struct FolderEntry {
    QString fileName;  // the file's own name, as on disk
    QString text;      // the file name without its last extension ("" for "README")
};

// The ordinary files of a folder (not hidden ones, not subfolders), sorted
// by file name. A missing folder gives an empty list and `exists` false.
QList<FolderEntry> listFolderFiles(const QString& folder, bool* exists = nullptr);

// What a selected entry stands for: the folder, "/" and the entry's text, or
// "" when the text is empty, so that a file without a base name never stands
// for the folder itself.
QString entryPath(const QString& folder, const QString& text);

}
