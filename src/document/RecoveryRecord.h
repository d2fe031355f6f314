#pragma once
#include "document/FileStamp.h"
#include "document/PageFile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace ink {

// A copy of a modified page that outlives a crash or a kill: enough to open
// the page again as it was, modified, under its own name and encoding.
struct RecoveryRecord {
    qint64 pid = 0;        // the run that wrote it
    int slot = 0;          // its window in that run
    QString folder;        // the page's folder
    QString caption;       // its file name, "Untitled" before its first save
    PageEncoding encoding; // how a save writes it
    FileStamp original;    // the page's file as that run last read or wrote it
    QStringList workingFiles; // where that run's working files were
    QString text;          // the page as it stood

    bool operator==(const RecoveryRecord& other) const;
};

// The file form: a header line, one "key: value" line per field (paths and
// names percent-encoded), an empty line, then the text, whose length and
// hash the header gives. Text that UTF-8 cannot carry exactly (a lone
// surrogate from a UTF-16 page) is kept as UTF-16.
QByteArray serializeRecovery(const RecoveryRecord& record);

// Reads a record back. A damaged, truncated or foreign file gives false and
// leaves `record` alone: a record is used whole or not at all.
bool parseRecovery(const QByteArray& bytes, RecoveryRecord* record);

}
