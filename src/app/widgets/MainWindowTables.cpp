// The Table menu, the design context menu's table items, the side panel's
// quick table maker and the table dialog.
#include "app/widgets/MainWindow.h"

#include "app/widgets/SidePanel.h"
#include "base/Wait.h"
#include "dialogs/widgets/TableDialog.h"
#include "document/widgets/DocumentWindow.h"
#include "editing/TableEdits.h"
#include "editing/widgets/QuickTableMaker.h"
#include "markup/PageBackground.h"
#include "platform/CodeEditor.h"
#include "platform/DesignSurface.h"

namespace ink {

void MainWindow::registerTableCommands()
{
    // Table commands: in the Design view one design surface command on the
    // cell at the caret; in the Code view the Table menu rebuilds the
    // selected text. The design context menu's items go to the active design
    // surface directly.
    using CodeTableEdit = std::optional<QString> (*)(const QString&);
    const struct { const char* menuItem; const char* popItem; int id; CodeTableEdit code; } tableItems[] = {
        {"insertrow", "dhp1insertrow", DesignCmd::InsertRow, insertTableRow},
        {"deleterow", "dhp1deleterow", DesignCmd::DeleteRows, deleteTableRow},
        {"insertcolumn", "dhp1insertcolumn", DesignCmd::InsertColumn, insertTableColumn},
        {"deletecolumn", "dhp1deletecolumn", DesignCmd::DeleteColumns, deleteTableColumn},
        {"insertcell", "dhp1insertcell", DesignCmd::InsertCell,
         [](const QString&) { return std::optional<QString>(insertTableCell()); }},
        {"deletecell", "dhp1deletecell", DesignCmd::DeleteCells, deleteTableCell},
        {"mergecells", "dhp1mergecells", DesignCmd::MergeCells, mergeTableCells},
        {"splitcell", "dhp1splitcell", DesignCmd::SplitCell, splitTableCell},
    };
    for (const auto& item : tableItems) {
        const int id = item.id;
        const CodeTableEdit code = item.code;
        for (const bool fromMenu : {true, false}) {
            const QString name = QString::fromLatin1(fromMenu ? item.menuItem : item.popItem);
            commands_.insert(name, [this, id, code, fromMenu] {
                const EditTarget target = editTarget();
                if (target.design && (target.designView || !fromMenu)) {
                    target.design->execCommand(id);
                } else if (target.code && fromMenu) {
                    if (const std::optional<QString> result = code(target.code->selectedText()))
                        replaceCodeSelection(target, *result);
                }
            });
        }
    }
    connect(panel_->tableArea(), &QuickTableMaker::makeClicked, this, &MainWindow::makeQuickTable);
    commands_.insert(QStringLiteral("newtable"), [this] {
        // The document window's focus and change handlers keep quiet while
        // the dialog loads.
        flags_.modalDialogActive = true;
        openTableDialog();
        flags_.modalDialogActive = false;
    });
    commands_.insert(QStringLiteral("dhp1inserttable"), [this] { openTableDialog(); });
}

void MainWindow::openTableDialog()
{
    DocumentWindow* doc = activeWindow();
    if (!doc)
        return;
    TableDialogContext context;
    context.pageFolder = table_.at(doc->slot()).folder;
    // The Design view holds the page as shown; in the Code view it may be a
    // page the text has left behind since, so the text is read instead.
    context.pageBackColour = table_.at(doc->slot()).designViewShown
        ? doc->design()->bgColor()
        : pageBackgroundInText(doc->code()->text());
    context.insert = [this](const QString& markup) {
        const EditTarget target = editTarget();
        if (target.designView)
            pasteAtDesignSelection(target, markup);
        else
            replaceCodeSelection(target, markup);
    };
    context.refreshFolderLists = [this] { refreshFolderLists(); };
    auto* dialog = new TableDialog(this, context);
    dialog->present();
}

void MainWindow::makeQuickTable()
{
    if (!activeWindow())
        return;
    const QString table = quickTableMarkup(panel_->tableArea()->values());
    waitSeconds(0.1);
    // The page may have gone or changed views during the wait.
    const EditTarget target = editTarget();
    if (target.designView)
        pasteAtDesignSelection(target, table);
    else
        replaceCodeSelection(target, table);
}

}
