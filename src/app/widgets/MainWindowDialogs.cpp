// The insert dialogs: each menu item opens its dialog on the active page.
#include "app/widgets/MainWindow.h"

#include "dialogs/widgets/ImageDialog.h"
#include "dialogs/widgets/InlineFrameDialog.h"
#include "dialogs/widgets/InversePropertyWindows.h"
#include "dialogs/widgets/LinkDialogs.h"
#include "dialogs/widgets/StyledInsertDialogs.h"
#include "document/widgets/DocumentWindow.h"
#include "platform/CodeEditor.h"
#include "platform/DesignSurface.h"

namespace ink {

InsertDialogHost MainWindow::dialogHost()
{
    InsertDialogHost host;
    host.owner = this;
    host.target = [this] { return editTarget(); };
    host.pageFolder = [this] {
        const DocumentWindow* doc = activeWindow();
        return doc ? table_.at(doc->slot()).folder : QString();
    };
    host.refreshFolderLists = [this] { refreshFolderLists(); };
    host.popUpEditMenu = [this](const QPoint& at) { popUpEditMenu(at); };
    return host;
}

void MainWindow::connectInverseProperty(DocumentWindow* doc)
{
    // Only the active page feeds the windows.
    const auto whenActive = [this, doc](void (InversePropertyWindows::*feed)()) {
        return [this, doc, feed] {
            if (inverse_ && activeWindow() == doc)
                (inverse_->*feed)();
        };
    };
    connect(doc->design(), &DesignSurface::clicked, this, whenActive(&InversePropertyWindows::designSelectionMoved));
    connect(doc->design(), &DesignSurface::keyReleased, this,
            whenActive(&InversePropertyWindows::designSelectionMoved));
    connect(doc->code(), &CodeEditor::selectionChanged, this,
            whenActive(&InversePropertyWindows::codeSelectionMoved));
    connect(doc, &DocumentWindow::viewSwitched, this, [this](bool designView) {
        if (inverse_)
            inverse_->viewSwitched(designView);
    });
}

void MainWindow::registerDialogCommands()
{
    inverse_ = new InversePropertyWindows(dialogHost());
    commands_.insert(QStringLiteral("text1properteis"), [this] { inverse_->open(); });
    const auto opener = [this](auto make) {
        return [this, make] {
            if (!activeWindow())
                return;
            QDialog* dialog = make(dialogHost());
            dialog->show();
        };
    };
    commands_.insert(QStringLiteral("link"),
                     opener([](const InsertDialogHost& h) { return new HyperlinkDialog(h); }));
    commands_.insert(QStringLiteral("bookmark"),
                     opener([](const InsertDialogHost& h) { return new BookmarkDialog(h); }));
    commands_.insert(QStringLiteral("image"),
                     opener([](const InsertDialogHost& h) { return new ImageDialog(h); }));
    commands_.insert(QStringLiteral("button"),
                     opener([](const InsertDialogHost& h) { return new HyperbuttonDialog(h); }));
    commands_.insert(QStringLiteral("marquee"),
                     opener([](const InsertDialogHost& h) { return new MarqueeDialog(h); }));
    commands_.insert(QStringLiteral("inlineframe"),
                     opener([](const InsertDialogHost& h) { return new InlineFrameDialog(h); }));
}

}
