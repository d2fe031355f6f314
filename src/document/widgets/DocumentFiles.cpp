#include "document/widgets/DocumentFiles.h"

#include "base/DocumentTable.h"
#include "base/Wait.h"
#include "base/widgets/Prompts.h"
#include "document/DocumentRoutines.h"
#include "document/PageOpening.h"
#include "document/PageText.h"
#include "document/WorkingFile.h"
#include "document/widgets/DocumentHost.h"
#include "document/widgets/DocumentWindow.h"
#include "document/widgets/PageWatcher.h"
#include "document/widgets/RecoveryTimers.h"
#include "platform/CodeEditor.h"
#include "platform/DesignSurface.h"
#include "projects/CommonDialog.h"
#include "projects/PathHelpers.h"

#include <QFileInfo>
#include <QLineEdit>

namespace ink {

const QString DocumentFiles::Filter = QStringLiteral("HTML Files|*.html;*.htm|All Files|*.*");

namespace {
const QString Untitled = QStringLiteral("Untitled");
const QString AppTitle = QStringLiteral("Inkpress");

// Reading and decoding a page takes some 5 ms a megabyte, looking it over
// some more: from this size on it is done on a thread of its own, and the
// window answers meanwhile.
constexpr qint64 kReadOffThreadBytes = 1 << 20;
}

DocumentFiles::DocumentFiles(DocumentHost& host)
    : host_(host),
      watcher_(std::make_unique<PageWatcher>()),
      recoveryTimers_(std::make_unique<RecoveryTimers>([this](int slot) { writeRecoveryCopy(slot); }))
{
    QObject::connect(watcher_.get(), &PageWatcher::changedOutside, watcher_.get(),
                     [this](int slot) { pageChangedOutside(slot); });
}

DocumentFiles::~DocumentFiles() = default;

void DocumentFiles::newPage()
{
    const QPointer<DocumentWindow> doc = host_.createDocumentWindow();
    if (!doc)
        return;
    processPendingEvents();
    if (DocumentWindow::gone(doc))
        return;
    guardPage(doc);
    doc->showDesignTitle();
    host_.refreshFolderLists();
}

void DocumentFiles::open()
{
    cCommonDialog dialog;
    dialog.DialogTitle = QStringLiteral("Open File(s)");
    dialog.hwnd = host_.mainWindow();
    dialog.flags = cCommonDialog::FileMustExist | cCommonDialog::AllowMultiSelect
        | cCommonDialog::HideReadOnly | cCommonDialog::PathMustExist;
    dialog.InitDir = host_.documents().at(host_.documents().activeDocument()).folder;
    dialog.Filter = Filter;
    dialog.FilterIndex = 1;
    dialog.ShowOpen();

    QString folder;
    QStringList names;
    int count = 0;
    dialog.ParseMultiFileName(folder, names, count);
    QStringList paths;
    if (count <= 1) {
        const QString path = dialog.Filename.trimmed();
        if (path.isEmpty())
            return;
        paths << path;
    } else {
        for (const QString& name : names)
            paths << folder + QLatin1Char('/') + name;
    }
    openPaths(paths, true);
}

void DocumentFiles::openFromCommandLine(const QString& commandLine)
{
    QString path = commandLine;
    if (path.startsWith(QLatin1Char('"')))
        path = path.mid(1, path.size() - 2);
    if (path.isEmpty())
        return;
    openOne(path, false, false);
}

int DocumentFiles::openPaths(const QStringList& paths, bool titleCheck)
{
    int opened = 0;
    for (const QString& path : paths) {
        const OpenResult result = openOne(path, titleCheck, true);
        if (result != OpenResult::Failed)
            ++opened;
        if (result != OpenResult::Opened)
            break;
    }
    return opened;
}

DocumentFiles::OpenResult DocumentFiles::openOne(const QString& givenPath, bool titleCheck,
                                                 bool busyWaits)
{
    // A relative path would name another file once the folder and the
    // working file are derived from it.
    const QString path = absolutePath(givenPath);
    // Read first: a file that cannot be opened leaves no half-made window.
    std::optional<PageOpening> read;
    if (QFileInfo(path).size() >= kReadOffThreadBytes) {
        // The working file the page loads from is written there as well.
        read = runWhileAnswering<PageOpening>([path, titleCheck] {
            PageOpening opening = readPageForOpening(path);
            if (opening.loadsAsRead(titleCheck))
                opening.workingFileAhead = WorkingFile::writeAhead(
                    folderOfPath(path), opening.content.text, opening.content.utf8());
            return opening;
        });
        // The program is quitting.
        if (!read || host_.shellFlags().appClosing) {
            if (read)
                QFile::remove(read->workingFileAhead);
            return OpenResult::Failed;
        }
    } else {
        read = readPageForOpening(path);
    }
    const PageFileContent& content = read->content;
    if (!content.ok) {
        Prompts::current().warning(host_.mainWindow(), AppTitle, content.error);
        return OpenResult::Failed;
    }
    QString refusal;
    if (read->frameset)
        refusal = QStringLiteral("Design mode not available for framesets.");
    else if (titleCheck && read->titleTags > 1)
        refusal = QStringLiteral("Only one title tag allowed per page. Please make this change "
                                 "and reopen the document.");
    // The file loads into the new window's Design view at once, never
    // behind a template nobody will see: as read, while the window is made,
    // unless the Code view is to rewrite a generator marker in it first.
    const bool loadsAsRead = read->loadsAsRead(titleCheck);
    const QString folder = folderOfPath(path);
    const OpenedPage opened{folder, content.text, content.utf8(), read->workingFileAhead};
    const QPointer<DocumentWindow> doc =
        host_.createDocumentWindow(false, loadsAsRead ? &opened : nullptr);
    if (!doc) {
        QFile::remove(read->workingFileAhead);
        return OpenResult::Failed;
    }
    DocumentTable& table = host_.documents();
    const int slot = doc->slot();
    table.at(slot).folder = folder;
    doc->setCaption(fileNameOfPath(path));
    host_.showFolder(table.at(slot).folder);
    encodings_.insert(slot, {content.encoding, read->declaredCharset});
    doc->code()->setOpenedText(content.text, content.utf8Bytes());
    guardPage(doc);
    watchPage(slot, path, content.stamp);

    if (!refusal.isEmpty()) {
        Prompts::current().message(host_.mainWindow(), AppTitle, refusal);
        if (DocumentWindow::gone(doc))
            return OpenResult::Failed;
        doc->keepInCodeView();
        return OpenResult::OpenedCodeOnly;
    }
    if (loadsAsRead) {
        doc->navigatePreview();
    } else {
        if (busyWaits)
            doc->waitForDesign();
        if (DocumentWindow::gone(doc))
            return OpenResult::Failed;
        doc->reloadDesignFromCode();
    }
    processPendingEvents();
    if (DocumentWindow::gone(doc))
        return OpenResult::Failed;
    table.at(slot).modified = false;
    doc->showDesignTitle();
    if (DocumentWindow::gone(doc))
        return OpenResult::Failed;
    host_.refreshFolderLists();
    return OpenResult::Opened;
}

PageEncoding DocumentFiles::encodingForSave(int slot, const QString& text) const
{
    const QByteArray utf8 = text.toUtf8();
    return encodingForSave(slot, QByteArrayView(utf8));
}

PageEncoding DocumentFiles::encodingForSave(int slot, QByteArrayView utf8) const
{
    const QByteArray bytes = QByteArray::fromRawData(utf8.data(), utf8.size());
    const auto it = encodings_.constFind(slot);
    if (it != encodings_.constEnd() && it->declared == declaredCharset(bytes))
        return it->encoding;
    return detectPageEncoding(bytes);
}

bool DocumentFiles::writePage(DocumentWindow* doc, const QString& path)
{
    if (!mayOverwrite(doc, path))
        return false;
    const QByteArray bytes = bytesForSave(doc);
    QString error;
    if (writePageBytes(path, bytes, &error)) {
        noteSaved(doc, path, bytes);
        return true;
    }
    Prompts::current().warning(host_.mainWindow(), QStringLiteral("Save"), error);
    return false;
}

// A page is written from the code editor's own UTF-8 bytes: a long page is
// neither decoded into text and encoded again on its way to the file nor,
// when the file is to hold those very bytes, copied at all. The bytes then
// borrow the editor's and are good only until its text next changes.
QByteArray DocumentFiles::bytesForSave(DocumentWindow* doc) const
{
    if (const std::optional<QByteArrayView> utf8 = doc->code()->utf8View()) {
        const PageEncoding encoding = encodingForSave(doc->slot(), *utf8);
        if (savesAsHeld(*utf8, encoding))
            return QByteArray::fromRawData(utf8->data(), utf8->size());
        if (std::optional<QByteArray> bytes = pageBytesOfUtf8(*utf8, encoding))
            return *std::move(bytes);
    }
    const QString text = doc->code()->text();
    return encodePage(withFinalLineBreak(text), encodingForSave(doc->slot(), text));
}

bool DocumentFiles::copyDesignIntoCode(DocumentWindow* doc)
{
    if (host_.documents().at(doc->slot()).designViewShown)
        return doc->copyDesignIntoCode();
    return true;
}

QString DocumentFiles::askSaveName(const QString& folder)
{
    cCommonDialog dialog;
    dialog.DialogTitle = QStringLiteral("Save As");
    dialog.hwnd = host_.mainWindow();
    dialog.Filter = Filter;
    dialog.InitDir = folder;
    dialog.DefaultExt = QStringLiteral("html");
    if (!dialog.ShowSave())
        return QString();
    return absolutePath(dialog.Filename.trimmed());
}

bool DocumentFiles::save()
{
    const QPointer<DocumentWindow> doc = host_.activeWindow();
    if (!doc || !doc->hasBeenShown())
        return false;
    if (doc->caption() == Untitled)
        return saveAs();
    const int slot = doc->slot();
    if (host_.documents().at(slot).designViewShown) {
        if (!copyDesignIntoCode(doc))
            return false;
        processPendingEvents();
        if (DocumentWindow::gone(doc))
            return false;
    }
    const QString path = host_.documents().at(slot).folder + QLatin1Char('/') + doc->caption();
    if (!writePage(doc, path))
        return false;
    host_.documents().at(slot).modified = false;
    return true;
}

bool DocumentFiles::saveAs()
{
    const QPointer<DocumentWindow> doc = host_.activeWindow();
    if (!doc || !doc->hasBeenShown())
        return false;
    const int slot = doc->slot();
    const QString name = askSaveName(host_.documents().at(slot).folder);
    if (name.isEmpty() || DocumentWindow::gone(doc) || !copyDesignIntoCode(doc))
        return false;
    if (DocumentWindow::gone(doc))
        return false;
    // The page takes its new name only once it is really there.
    if (!writePage(doc, name))
        return false;
    DocumentTable& table = host_.documents();
    table.at(slot).folder = folderOfPath(name);
    doc->setCaption(fileNameOfPath(name));
    host_.showFolder(table.at(slot).folder);
    table.at(slot).modified = false;
    doc->writeWorkingFile(doc->code()->text());
    doc->navigatePreview();
    host_.refreshFolderLists();
    return true;
}

bool DocumentFiles::closeSequence(int slot)
{
    DocumentTable& table = host_.documents();
    const QPointer<DocumentWindow> doc = host_.documentWindow(slot);
    if (!doc)
        return true;
    doc->waitForDesign();
    if (!doc)
        return true;
    QString html;
    const bool read = doc->design()->readDocumentHtml(&html);
    // After a failed load the code text is the page: nothing else to keep.
    if ((read && html != doc->code()->text()) || (!read && !doc->design()->loadFailed()))
        table.at(slot).modified = true;
    if (!table.at(slot).modified)
        return true;
    table.at(slot).modified = false;
    if (askSaveOnClose(doc))
        return true;
    table.at(slot).modified = true;
    return false;
}

bool DocumentFiles::askSaveOnClose(DocumentWindow* doc)
{
    if (!doc->hasBeenShown())
        return true;
    const QString question = doc->caption()
        + QStringLiteral(" has been modified.  Would you like to save this file before closing?");
    if (!Prompts::current().askYesNo(doc, QStringLiteral("Save file?"), question))
        return true;
    return saveDocument(doc);
}

bool DocumentFiles::saveDocument(DocumentWindow* doc)
{
    if (doc->caption() == Untitled)
        return saveDocumentAs(doc);
    if (!copyDesignIntoCode(doc))
        return false;
    const QString path = host_.documents().at(doc->slot()).folder + QLatin1Char('/') + doc->caption();
    return writePage(doc, path);
}

bool DocumentFiles::saveDocumentAs(DocumentWindow* doc)
{
    const QString name = askSaveName(host_.documents().at(doc->slot()).folder);
    // The user asked to save: a cancelled name keeps the page open rather
    // than dropping it.
    if (name.isEmpty() || !copyDesignIntoCode(doc))
        return false;
    return writePage(doc, name);
}

}
