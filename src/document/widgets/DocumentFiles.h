#pragma once
#include <QHash>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <memory>

#include "document/PageFile.h"

namespace ink {

class DocumentHost;
class DocumentWindow;
class PageWatcher;
class RecoveryTimers;
struct RecoveryRecord;

// Pages on disk: New Page, Open (also from the command line), Save, Save As,
// and the save question when a modified page closes. A page's bytes survive
// open and save (plus the CR LF every save appends); a save that fails keeps
// the page modified and tells the user which file and why.
class DocumentFiles {
public:
    static const QString Filter; // "HTML Files|*.html;*.htm|All Files|*.*"

    explicit DocumentFiles(DocumentHost& host);
    ~DocumentFiles();

    void newPage();
    void open();
    void openFromCommandLine(const QString& commandLine);
    // Opens each path in turn; stops after a page that must stay in the
    // Code view or cannot be read. Returns the number of windows opened.
    int openPaths(const QStringList& paths, bool titleCheck);
    bool save();
    bool saveAs();

    // The close sequence of one window, after its check boxes were stored:
    // false when the window must stay open (its save failed or was cancelled).
    bool closeSequence(int slot);

    // At start-up: clears the working files of runs that are gone and offers
    // back the pages they left with unsaved changes.
    void offerRecovery();

private:
    enum class OpenResult { Opened, OpenedCodeOnly, Failed };
    OpenResult openOne(const QString& path, bool titleCheck, bool busyWaits);
    bool askSaveOnClose(DocumentWindow* doc);
    bool saveDocument(DocumentWindow* doc);
    bool saveDocumentAs(DocumentWindow* doc);
    QString askSaveName(const QString& folder);
    // False when the Design view could not give back its page (the user was told).
    bool copyDesignIntoCode(DocumentWindow* doc);
    bool writePage(DocumentWindow* doc, const QString& path);

    DocumentHost& host_;
    // How each page was read, and the charset it declared then: a save keeps
    // that encoding unless the page now declares another charset.
    struct LoadedEncoding {
        PageEncoding encoding;
        QString declared;
    };
    PageEncoding encodingForSave(int slot, const QString& text) const;
    PageEncoding encodingForSave(int slot, QByteArrayView utf8) const;
    // The bytes a save of the page writes.
    QByteArray bytesForSave(DocumentWindow* doc) const;
    QHash<int, LoadedEncoding> encodings_;

    // Pages changed by other programs, and the copies kept against a crash
    // (DocumentFilesGuard.cpp).
    void guardPage(DocumentWindow* doc);
    void watchPage(int slot, const QString& path, const FileStamp& stamp);
    void pageClosed(int slot);
    void pageChangedOutside(int slot);
    bool hasEdits(DocumentWindow* doc);
    void reloadFromDisk(DocumentWindow* doc);
    bool mayOverwrite(DocumentWindow* doc, const QString& path);
    void noteSaved(DocumentWindow* doc, const QString& path, const QByteArray& bytes);
    void writeRecoveryCopy(int slot);
    bool openRecovered(const RecoveryRecord& record);
    std::unique_ptr<PageWatcher> watcher_;
    std::unique_ptr<RecoveryTimers> recoveryTimers_;
    QHash<int, QByteArray> recoveryHashes_; // the text last copied, per page
};

}
