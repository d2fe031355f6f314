#pragma once
#include <QByteArrayView>
#include <QPoint>
#include <QString>

class QWidget;

namespace ink {

class DocumentTable;
class DocumentWindow;
struct ShellFlags;

// A page read from a file, for a new window's Design view to load at once.
struct OpenedPage {
    QString folder;
    QString text;
    // The page's own bytes when they are the text's UTF-8, else empty.
    QByteArrayView utf8;
    // Its working file written ahead, if it was (see WorkingFile::writeAhead).
    QString workingFileAhead;
};

// What a document window needs from the main window that holds it.
class DocumentHost {
public:
    virtual ~DocumentHost() = default;
    virtual DocumentTable& documents() = 0;
    virtual ShellFlags& shellFlags() = 0;
    virtual QWidget* mainWindow() = 0;
    // A new page window in the next slot, holding the new page template in
    // the Design view; nullptr once all slots of the run are used. A window
    // made for a file (`loadTemplate` false) holds the template in its Code
    // view only: its Design view loads `opened` when given, before the window
    // is laid out and painted, or is left empty for the caller to load.
    virtual DocumentWindow* createDocumentWindow(bool loadTemplate = true,
                                                 const OpenedPage* opened = nullptr) = 0;
    // The window in the active slot, nullptr when that slot is empty.
    virtual DocumentWindow* activeWindow() = 0;
    // The window in a slot, nullptr when the slot is empty.
    virtual DocumentWindow* documentWindow(int slot) = 0;
    // Status bar panel 1: the active page's folder.
    virtual void showFolder(const QString& folder) = 0;
    virtual void refreshFolderLists() = 0;
    virtual void focusMainWindow() = 0;
    // Button "outdent" of the formatting bar: usable in the Design view only.
    virtual void setOutdentButtonEnabled(bool enabled) = 0;
    // The code editor's right-button menu (the Edit menu) and the design
    // surface's context menu, popped up at a screen position.
    virtual void popUpEditMenu(const QPoint& globalPos) = 0;
    virtual void popUpDesignMenu(const QPoint& globalPos) = 0;
    // The design surface reported a change of display (caret moved, text typed).
    virtual void designDisplayChanged() = 0;
};

}
