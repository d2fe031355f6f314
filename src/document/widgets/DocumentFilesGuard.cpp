// Pages changed by other programs, and the copies of modified pages kept
// against a crash or a kill.
#include "document/widgets/DocumentFiles.h"

#include "base/DocumentTable.h"
#include "base/ProgramFolder.h"
#include "base/widgets/Prompts.h"
#include "document/PageText.h"
#include "document/RecoveryStore.h"
#include "document/widgets/DocumentHost.h"
#include "document/widgets/DocumentWindow.h"
#include "document/widgets/PageWatcher.h"
#include "document/widgets/RecoveryTimers.h"
#include "platform/CodeEditor.h"
#include "platform/DesignSurface.h"
#include "projects/PathHelpers.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

namespace ink {

namespace {

const QString Untitled = QStringLiteral("Untitled");

qint64 ownPid()
{
    return QCoreApplication::applicationPid();
}

RecoveryStore store()
{
    return RecoveryStore(recoveryFolder());
}

// The Code view's place in the text, kept over a reload.
struct CodePlace {
    int caret = 0;
    int firstLine = 0;
    int column = 0;
};

QAbstractScrollArea* scrollArea(CodeEditor* code)
{
    return qobject_cast<QAbstractScrollArea*>(code->widget());
}

CodePlace placeOf(CodeEditor* code)
{
    CodePlace place;
    place.caret = code->caretPosition();
    if (QAbstractScrollArea* area = scrollArea(code)) {
        place.firstLine = area->verticalScrollBar()->value();
        place.column = area->horizontalScrollBar()->value();
    }
    return place;
}

void restorePlace(CodeEditor* code, const CodePlace& place)
{
    const int caret = std::min(place.caret, int(code->text().size()));
    code->setSelection(caret, caret);
    if (QAbstractScrollArea* area = scrollArea(code)) {
        area->verticalScrollBar()->setValue(place.firstLine);
        area->horizontalScrollBar()->setValue(place.column);
    }
}

QString recoveredPageLine(const RecoveryRecord& record)
{
    if (record.caption == Untitled)
        return QStringLiteral("    Untitled (a new page)");
    return QStringLiteral("    %1  (in %2)").arg(record.caption, QDir::toNativeSeparators(record.folder));
}

}

void DocumentFiles::guardPage(DocumentWindow* doc)
{
    const int slot = doc->slot();
    const auto touched = [this, slot] { recoveryTimers_->touch(slot); };
    QObject::connect(doc->code(), &CodeEditor::textChanged, recoveryTimers_.get(), touched);
    QObject::connect(doc->design(), &DesignSurface::displayChanged, recoveryTimers_.get(), touched);
    QObject::connect(doc, &DocumentWindow::closed, recoveryTimers_.get(),
                     [this, slot] { pageClosed(slot); });
}

void DocumentFiles::watchPage(int slot, const QString& path, const FileStamp& stamp)
{
    watcher_->watch(slot, path, stamp);
    // A run that ended without closing may have left its working file here.
    removeStrayWorkingFiles({QFileInfo(path).absolutePath()}, ownPid(), processExists);
}

// Saved or dropped: either way the copy is no longer needed.
void DocumentFiles::pageClosed(int slot)
{
    watcher_->forget(slot);
    recoveryTimers_->forget(slot);
    recoveryHashes_.remove(slot);
    store().remove(ownPid(), slot);
}

bool DocumentFiles::hasEdits(DocumentWindow* doc)
{
    if (host_.documents().at(doc->slot()).modified)
        return true;
    if (!host_.documents().at(doc->slot()).designViewShown || doc->design()->busy())
        return false;
    QString html;
    return doc->design()->readDocumentHtml(&html) && html != doc->code()->text();
}

void DocumentFiles::pageChangedOutside(int slot)
{
    const QPointer<DocumentWindow> doc = host_.documentWindow(slot);
    if (DocumentWindow::gone(doc) || !watcher_->isWatched(slot))
        return;
    // Not on top of another question or dialog: asked once that is answered.
    if (QApplication::activeModalWidget() || host_.shellFlags().modalDialogActive) {
        QTimer::singleShot(500, watcher_.get(), [this, slot] { pageChangedOutside(slot); });
        return;
    }
    const QString path = watcher_->path(slot);
    // A page whose file is gone stays open with everything in it, to be
    // saved again.
    if (!QFileInfo::exists(path)) {
        host_.documents().at(slot).modified = true;
        recoveryTimers_->touch(slot);
        return;
    }
    const bool edited = hasEdits(doc);
    if (DocumentWindow::gone(doc))
        return;
    if (!edited) {
        reloadFromDisk(doc);
        return;
    }
    const QString question =
        QStringLiteral("%1 has been changed by another program.\n\n"
                       "Reload it from the disk and lose the changes you made here, or keep your "
                       "changes? If you keep them, saving will ask before it writes over the other "
                       "program's version.")
            .arg(doc->caption());
    const int answer = Prompts::current().askChoice(
        doc, QStringLiteral("File Changed"), question,
        {QStringLiteral("Keep My Changes"), QStringLiteral("Reload")});
    if (answer == 1 && !DocumentWindow::gone(doc))
        reloadFromDisk(doc);
}

// The page takes the file's new text in the view it is in, at the same
// place.
void DocumentFiles::reloadFromDisk(DocumentWindow* doc)
{
    const QPointer<DocumentWindow> window(doc);
    const int slot = doc->slot();
    const PageFileContent content = readPageFile(watcher_->path(slot));
    if (!content.ok) {
        // What the file holds now cannot be a page: the one shown stays, as
        // a page to be saved again.
        host_.documents().at(slot).modified = true;
        Prompts::current().warning(doc, QStringLiteral("File Changed"), content.error);
        return;
    }
    const CodePlace place = placeOf(doc->code());
    encodings_.insert(slot, {content.encoding, declaredCharsetOfText(content.text)});
    doc->code()->setText(content.text);
    restorePlace(doc->code(), place);
    watcher_->setStamp(slot, content.stamp);
    if (host_.documents().at(slot).designViewShown) {
        const QPointF scrolled = doc->design()->scrollPosition();
        doc->reloadDesignFromCode();
        if (DocumentWindow::gone(window))
            return;
        doc->waitForDesign();
        if (DocumentWindow::gone(window))
            return;
        doc->design()->scrollTo(scrolled);
    } else {
        doc->writeWorkingFile(content.text);
        doc->refreshOrNavigatePreview();
    }
    host_.documents().at(slot).modified = false;
    recoveryHashes_.remove(slot);
    store().remove(ownPid(), slot);
}

// A save over a file that another program wrote since the page was read or
// saved here asks first. A file deleted meanwhile is simply written again.
bool DocumentFiles::mayOverwrite(DocumentWindow* doc, const QString& path)
{
    const int slot = doc->slot();
    if (!watcher_->isWatched(slot) || QFileInfo(watcher_->path(slot)) != QFileInfo(path)
        || !QFileInfo::exists(path) || watcher_->unchanged(slot))
        return true;
    const QString question =
        QStringLiteral("%1 has been changed by another program since it was opened or last saved "
                       "here.\n\nSave anyway, replacing the other program's version with yours?")
            .arg(doc->caption());
    return Prompts::current().askYesNo(doc, QStringLiteral("Save"), question);
}

void DocumentFiles::noteSaved(DocumentWindow* doc, const QString& path, const QByteArray& bytes)
{
    const int slot = doc->slot();
    const FileStamp stamp = FileStamp::ofBytes(path, bytes);
    if (watcher_->isWatched(slot) && QFileInfo(watcher_->path(slot)) == QFileInfo(path))
        watcher_->setStamp(slot, stamp);
    else
        watchPage(slot, path, stamp);
    recoveryHashes_.remove(slot);
    // The recovery copy is stale now. Deleting it (as long as the page) can
    // wait until the save has returned; a copy written in the meantime holds
    // newer edits and stays.
    QTimer::singleShot(0, watcher_.get(), [this, slot] {
        if (!recoveryHashes_.contains(slot))
            store().remove(ownPid(), slot);
    });
}

void DocumentFiles::writeRecoveryCopy(int slot)
{
    const QPointer<DocumentWindow> doc = host_.documentWindow(slot);
    if (DocumentWindow::gone(doc) || !doc->hasBeenShown())
        return;
    // Not under a question or a dialog: the page may be what it asks about.
    if (QApplication::activeModalWidget() || host_.shellFlags().modalDialogActive) {
        recoveryTimers_->touch(slot);
        return;
    }
    QString text = doc->code()->text();
    bool edited = host_.documents().at(slot).modified;
    if (host_.documents().at(slot).designViewShown && !doc->design()->busy()) {
        QString html;
        if (doc->design()->readDocumentHtml(&html) && html != text) {
            text = html;
            edited = true;
        }
        if (DocumentWindow::gone(doc))
            return;
    }
    if (!edited) {
        if (recoveryHashes_.remove(slot))
            store().remove(ownPid(), slot);
        return;
    }
    const QByteArray hash = FileStamp::hashOf(text.toUtf8());
    if (recoveryHashes_.value(slot) == hash)
        return;
    RecoveryRecord record;
    record.pid = ownPid();
    record.slot = slot;
    record.folder = host_.documents().at(slot).folder;
    record.caption = doc->caption();
    record.encoding = encodingForSave(slot, text);
    record.original = watcher_->stamp(slot);
    if (!doc->workingFilePath().isEmpty())
        record.workingFiles << doc->workingFilePath();
    record.text = text;
    if (store().write(record))
        recoveryHashes_.insert(slot, hash);
}

void DocumentFiles::offerRecovery()
{
    const RecoveryStore records = store();
    const QList<RecoveryStore::Found> found = records.leftBehind(ownPid(), processExists);
    QStringList folders;
    for (const RecoveryStore::Found& item : found) {
        folders << item.record.folder;
        for (const QString& path : item.record.workingFiles)
            folders << QFileInfo(path).absolutePath();
    }
    removeStrayWorkingFiles(folders, ownPid(), processExists);
    removeStrayPrivateFolders(QDir::tempPath(), ownPid(), processExists);
    if (found.isEmpty())
        return;

    QStringList lines;
    for (const RecoveryStore::Found& item : found)
        lines << recoveredPageLine(item.record);
    const QString question =
        QStringLiteral("Inkpress was not closed normally, and these pages had changes that were "
                       "not saved:\n\n%1\n\nRecover them? They open with those changes, and their "
                       "files stay as they are until you save. Discard drops the changes for good.")
            .arg(lines.join(QLatin1Char('\n')));
    const int answer = Prompts::current().askChoice(
        host_.mainWindow(), QStringLiteral("Recover Pages"), question,
        {QStringLiteral("Recover"), QStringLiteral("Discard")});
    // Closed without an answer: the copies wait for the next start.
    if (answer < 0)
        return;
    for (const RecoveryStore::Found& item : found) {
        if (answer == 0 && !openRecovered(item.record))
            continue;
        QFile::remove(item.path);
    }
}

// The page opens as it was when the copy was made: modified, under its own
// name and encoding; its file is written only when the user saves, and a
// file changed since the copy was made is not overwritten without asking.
bool DocumentFiles::openRecovered(const RecoveryRecord& record)
{
    const QPointer<DocumentWindow> doc = host_.createDocumentWindow();
    if (!doc)
        return false;
    const int slot = doc->slot();
    DocumentTable& table = host_.documents();
    table.at(slot).folder = record.folder;
    doc->setCaption(record.caption);
    host_.showFolder(record.folder);
    encodings_.insert(slot, {record.encoding, declaredCharsetOfText(record.text)});
    doc->code()->setOpenedText(record.text);
    guardPage(doc);
    if (record.caption != Untitled)
        watchPage(slot, joinPath(record.folder, record.caption), record.original);
    if (isFramesetPage(record.text)) {
        doc->keepInCodeView();
    } else {
        doc->waitForDesign();
        if (DocumentWindow::gone(doc))
            return false;
        doc->reloadDesignFromCode();
    }
    if (DocumentWindow::gone(doc))
        return false;
    table.at(slot).modified = true;
    doc->showDesignTitle();
    if (DocumentWindow::gone(doc))
        return false;
    // The copy under this run's name must be on disk before the old one goes.
    writeRecoveryCopy(slot);
    return QFileInfo::exists(store().pathFor(ownPid(), slot));
}

}
