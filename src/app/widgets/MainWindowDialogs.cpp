// The insert dialogs: each menu item opens its dialog on the active page.
#include "app/widgets/MainWindow.h"

#include "dialogs/widgets/ImageDialog.h"
#include "dialogs/widgets/InlineFrameDialog.h"
#include "dialogs/widgets/LinkDialogs.h"
#include "document/widgets/DocumentWindow.h"

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
    return host;
}

void MainWindow::registerDialogCommands()
{
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
    commands_.insert(QStringLiteral("inlineframe"),
                     opener([](const InsertDialogHost& h) { return new InlineFrameDialog(h); }));
}

}
