#pragma once
#include "document/FileStamp.h"

#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QTimer>

namespace ink {

// Watches the files of the open pages for writes by other programs. Each
// page's stamp is what the program itself last read or wrote; a file that
// no longer matches it is reported once per new state of the file, so the
// program's own saves (which set the stamp) never count.
class PageWatcher : public QObject {
    Q_OBJECT
public:
    explicit PageWatcher(QObject* parent = nullptr);

    void watch(int slot, const QString& path, const FileStamp& stamp);
    void forget(int slot);
    bool isWatched(int slot) const { return pages_.contains(slot); }
    QString path(int slot) const { return pages_.value(slot).path; }
    FileStamp stamp(int slot) const { return pages_.value(slot).stamp; }
    // The program has just read or written the file.
    void setStamp(int slot, const FileStamp& stamp);
    // Whether the file still holds what the program last read or wrote;
    // `now` receives its present stamp.
    bool unchanged(int slot, FileStamp* now = nullptr);

signals:
    // The file was written, replaced or removed by someone else.
    void changedOutside(int slot);

private:
    struct Page {
        QString path;
        FileStamp stamp;
        FileStamp reported; // the outside state last reported
        bool hasReported = false;
    };
    void fileEvent();
    void checkAll();
    void rearm();
    bool matches(Page& page, FileStamp* now);
    void verifyLater(const FileStamp& stamp);

    QFileSystemWatcher watcher_;
    QHash<int, Page> pages_;
    // Lets a burst of writes (a rename over the file, a write in pieces)
    // settle before the file is looked at.
    QTimer settle_;
    // Looks once more at a file whose stamp has no settled identity yet,
    // once the file is old enough for one, so that later checks (the one
    // before each save among them) need not read it whole.
    QTimer verify_;
};

}
