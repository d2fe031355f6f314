#pragma once
#include <QString>
#include <functional>

namespace ink {

// Creating a project folder from a template folder, without ever merging
// into or overwriting what the user already has.

// Why a project name cannot be used, in words for the user; "" when it can.
// A name is one folder name: not empty, no "/" or "\", not "." or "..", no
// control characters, at most 255 bytes.
QString projectNameProblem(const QString& name);

// What lies at the path a project would take.
enum class ProjectTarget {
    Free,         // nothing there
    EmptyFolder,  // an empty folder, which the project may take
    Occupied,     // a folder holding anything, hidden entries and subfolders included
    NotAFolder,   // a file or something else that is no folder
};
ProjectTarget projectTarget(const QString& path);

// A path in `parent` that nothing uses yet: base + "temp", then base +
// "temp2", base + "temp3", ...
QString unusedPathFor(const QString& parent, const QString& base);

// Copies a folder with everything in it to `to`, which must not exist yet.
// On failure returns false and sets `error` to the file and the reason; what
// was copied so far is left for the caller to remove.
bool copyFolderTree(const QString& from, const QString& to, QString* error);
using FolderCopier = std::function<bool(const QString& from, const QString& to, QString* error)>;

struct ProjectResult {
    bool ok = false;
    QString folder;  // the project folder, when created
    QString error;   // the message for the user, when not
};

// Copies `templateFolder` to an unused name in `parent` and renames it to
// `name`. Refuses a bad name, a missing parent or template, and a target
// that is occupied; a failed copy or rename removes what was copied and
// reports the reason. The copier is replaceable for tests.
ProjectResult createProject(const QString& templateFolder, const QString& parent,
                            const QString& name, const FolderCopier& copier = copyFolderTree);

}
