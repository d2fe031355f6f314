#pragma once
#include <QString>

namespace ink {

// The library: the folder "Library" in the program folder, holding snippet
// files of any name. The program never creates it.
QString libraryFolder();

// The filter of both library dialogs: all files.
inline QString libraryFilter() { return QStringLiteral("All Files|*.*"); }

// Why a chosen snippet file name cannot be written, in words for the user;
// "" when it can. A name that is empty or still holds a wildcard ("*.*",
// "a?.txt") came from a pattern, not from the user.
QString snippetNameProblem(const QString& path);

}
