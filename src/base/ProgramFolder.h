#pragma once
#include <QString>

namespace ink {

// The folder that holds the program's own resources (state/, Library/,
// templates/, resource/dragndrop.html, fcombo.dll): the folder named by the
// environment variable INKPRESS_PROGRAM_FOLDER when it is set, otherwise the
// folder of the executable. No trailing separator.
QString programFolder();

// Joins a folder and a relative path with one "/".
QString joinPath(const QString& folder, const QString& relative);

}
