#pragma once
#include "document/RecoveryRecord.h"
#include "document/RunOwnership.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace ink {

// The recovery copies in one folder, one file per page window of a run:
// "<pid>-<window>.inkrecover".
class RecoveryStore {
public:
    explicit RecoveryStore(const QString& folder) : folder_(folder) {}

    QString folder() const { return folder_; }
    QString pathFor(qint64 pid, int slot) const;
    // Replaces the page's copy in one step (a kill mid-write leaves the copy
    // before); the folder is made, private to the user, when missing.
    bool write(const RecoveryRecord& record, QString* reason = nullptr) const;
    void remove(qint64 pid, int slot) const;

    struct Found {
        QString path;
        RecoveryRecord record;
    };
    // The sound copies left by runs that are gone, oldest run first. Copies
    // of live runs, and files that are damaged or not copies, are left alone.
    QList<Found> leftBehind(qint64 ownPid, const ProcessAlive& alive) const;

private:
    QString folder_;
};

// Removes the working files that dead runs left in these folders; returns
// the paths removed. Only names of the program's own, only plain files.
QStringList removeStrayWorkingFiles(const QStringList& folders, qint64 ownPid, const ProcessAlive& alive);

// Clears the private temporary folders of dead runs under `tempRoot`: their
// working files, then the folder itself once empty. Folders of another user
// are not touched.
QStringList removeStrayPrivateFolders(const QString& tempRoot, qint64 ownPid, const ProcessAlive& alive);

}
