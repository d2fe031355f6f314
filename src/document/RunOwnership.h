#pragma once
#include <QString>
#include <QStringList>

#include <functional>

namespace ink {

// Whose file is whose. Each run of the program names its working files and
// recovery copies after its process id; a run whose process is gone (a crash,
// a kill, a power cut) has left them behind, and only those are cleared up.
// A live run's files are never touched.

using ProcessAlive = std::function<bool(qint64 pid)>;

// Whether a process with this id exists now. A process that belongs to
// another user counts as alive: the answer errs on keeping files.
bool processExists(qint64 pid);

// The process id in a working file's name (".inkpress-work-<pid>-<n>.<ext>"),
// 0 when the name is not one of the program's working files.
qint64 workingFileOwner(const QString& fileName);

// The process id in the name of a run's private temporary folder
// ("inkpress-<pid>-XXXXXX"), 0 when the name is not one.
qint64 privateFolderOwner(const QString& folderName);
QString privateFolderTemplate(qint64 pid);

// The names among `fileNames` that are working files left by a dead run.
// This run's own files and those of any live run stay.
QStringList strayWorkingFiles(const QStringList& fileNames, qint64 ownPid, const ProcessAlive& alive);

// A recovery copy written by `writerPid` is offered back only when that run
// is gone; this run never offers its own.
bool isLeftByDeadRun(qint64 writerPid, qint64 ownPid, const ProcessAlive& alive);

}
