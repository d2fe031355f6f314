#pragma once
#include <QString>

namespace ink {

// Where the program's files live.
//  - `resources`: the read-only files the program ships (Library/, templates/,
//    resource/dragndrop.html, fcombo.dll).
//  - `state`: the folder of the settings files and window layout.
//  - `pages`: where a new page starts out (its folder before it is saved).
struct ProgramFolders {
    QString resources;
    QString state;
    QString pages;
};

// Chooses the folders from the three candidates:
//  - `overrideFolder` (INKPRESS_PROGRAM_FOLDER) wins when not empty: both
//    resources and state live there, as in the build folder;
//  - resources beside the executable (a build or a portable copy) are used
//    there, and the state folder sits beside them while that folder can be
//    written;
//  - otherwise the installed layout `<prefix>/bin` + `<prefix>/share/inkpress`
//    holds the resources when it exists;
//  - state that cannot live beside the program goes to `configFolder`/state
//    (the user's configuration folder), and new pages then start in
//    `documentsFolder` rather than in a folder the user cannot write.
ProgramFolders locateProgramFolders(const QString& overrideFolder, const QString& executableFolder,
                                    const QString& configFolder, const QString& documentsFolder);

// The folder that holds the program's own resources (state/, Library/,
// templates/, resource/dragndrop.html, fcombo.dll), as chosen by
// locateProgramFolders for this process. No trailing separator.
QString programFolder();

// The folder of the settings files (`settings<n>.ini`); may be outside the
// program folder when that cannot be written.
QString stateFolder();

// The folder a new page starts out in: the program folder, or the user's
// documents folder when the program folder cannot be written.
QString newPageFolder();

// The folder of the copies of modified pages kept against a crash: in the
// state folder while that sits beside the program (a build, a portable copy,
// INKPRESS_PROGRAM_FOLDER), else in the user's data folder.
QString recoveryFolder();

// Joins a folder and a relative path with one "/".
QString joinPath(const QString& folder, const QString& relative);

}
