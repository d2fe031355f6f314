// The main window's own commands: edit commands, the clip ring, docking
// switches, window arrangement, help, and the routing of menu items and tool
// bar buttons to the editing commands.
#include "app/widgets/MainWindow.h"

#include "base/ProgramFolder.h"
#include "app/ViewEnabling.h"
#include "app/widgets/SidePanel.h"
#include "app/widgets/ToolStrip.h"
#include "document/widgets/DocumentFiles.h"
#include "document/widgets/DocumentWindow.h"
#include "editing/FontControls.h"
#include "editing/widgets/EditingCommands.h"
#include "platform/CodeEditor.h"
#include "platform/DesignSurface.h"
#include "platform/PreviewBrowser.h"
#include "codetools/widgets/LibraryCommands.h"
#include "projects/widgets/Shell.h"
#include "projects/widgets/Wizard.h"

#include <QApplication>
#include <QClipboard>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QSlider>

namespace ink {

void MainWindow::registerCommands()
{
    commands_.insert(QStringLiteral("new"), [this] { files_->newPage(); });
    commands_.insert(QStringLiteral("open"), [this] { files_->open(); });
    commands_.insert(QStringLiteral("save"), [this] { files_->save(); });
    commands_.insert(QStringLiteral("saveas"), [this] { files_->saveAs(); });
    commands_.insert(QStringLiteral("exit"), [this] { close(); });
    commands_.insert(QStringLiteral("newproject"), [this] { openProjectWizard(); });
    commands_.insert(QStringLiteral("importfile"), [this] {
        if (DocumentWindow* doc = activeWindow())
            importLibraryFile(doc->code(), this);
    });
    commands_.insert(QStringLiteral("exportfile"), [this] {
        if (DocumentWindow* doc = activeWindow())
            exportLibraryFile(doc->code(), this);
    });
    commands_.insert(QStringLiteral("preview"), [this] { panel_->setVisible(panel_->isHidden()); });
    const struct { const char* name; void (DocumentWindow::*run)(); } pageCommands[] = {
        {"refresh", &DocumentWindow::refreshViews},
        {"printpreview", &DocumentWindow::printPreview},
        {"printwebpage", &DocumentWindow::printPage},
        {"printcode", &DocumentWindow::printCode},
    };
    for (const auto& command : pageCommands) {
        const auto run = command.run;
        commands_.insert(QString::fromLatin1(command.name), [this, run] {
            if (DocumentWindow* doc = activeWindow())
                (doc->*run)();
        });
    }
    registerEditCommands();
    registerWindowCommands();
    registerDesignMenuCommands();
    registerDialogCommands();
    registerStyleCommands();
    for (const char* name : {"stdocked", "stvisible", "fodocked", "fovisible"}) {
        const QString n = QString::fromLatin1(name);
        commands_.insert(n, [this, n] { dockingClicked(n); });
    }
    commands_.insert(QStringLiteral("helpcontents"), [this] { openHelp(QString()); });
    commands_.insert(QStringLiteral("techsupport"), [this] { openHelp(QStringLiteral("support")); });
    commands_.insert(QStringLiteral("messageboard"), [this] { openHelp(QStringLiteral("board")); });
    commands_.insert(QStringLiteral("about"), [this] { showAbout(); });
    // "Find Next" is a menu entry without a command.
    commands_.insert(QStringLiteral("findnext"), [] {});
}

void MainWindow::registerEditCommands()
{
    commands_.insert(QStringLiteral("undo"), [this] { undo(); });
    commands_.insert(QStringLiteral("cut"), [this] { cut(); });
    commands_.insert(QStringLiteral("copy"), [this] { copy(); });
    commands_.insert(QStringLiteral("paste"), [this] { paste(); });
    commands_.insert(QStringLiteral("selectall"), [this] { selectAll(); });
    commands_.insert(QStringLiteral("find"), [this] { find(); });
    commands_.insert(QStringLiteral("replace"), [this] { replace(); });
}

void MainWindow::registerWindowCommands()
{
    for (const char* name : {"tileh", "tilev", "cascade", "ai"}) {
        const QString n = QString::fromLatin1(name);
        commands_.insert(n, [this, n] { arrange(n); });
    }
}

void MainWindow::registerDesignMenuCommands()
{
    registerTableCommands();
    const struct { const char* item; const char* command; } editItems[] = {
        {"dhp1undo", "undo"}, {"dhp1cut", "cut"}, {"dhp1copy", "copy"},
        {"dhp1paste", "paste"}, {"dhp1selectall", "selectall"},
    };
    for (const auto& item : editItems) {
        const QString command = QString::fromLatin1(item.command);
        commands_.insert(QString::fromLatin1(item.item), [this, command] { runCommand(command); });
    }
    commands_.insert(QStringLiteral("dhp1properties"), [this] {
        focusActiveDocument();
        runCommand(QStringLiteral("text1properteis"));
    });
}

void MainWindow::runCommand(const QString& name)
{
    const auto it = commands_.constFind(name);
    if (it != commands_.constEnd()) {
        (*it)();
        return;
    }
    runEditingCommand(name, editTarget());
}

void MainWindow::runToolButton(const QString& toolbar, const QString& key)
{
    if (toolbar == QLatin1String("Toolbar1") || toolbar == QLatin1String("Toolbar2")) {
        runCommand(key);
    } else if (toolbar == QLatin1String("Toolbar10")) {
        if (key == QLatin1String("refresh"))
            runCommand(QStringLiteral("refresh"));
        else if (key == QLatin1String("preview"))
            runCommand(QStringLiteral("printpreview"));
        else if (key == QLatin1String("print"))
            runCommand(QStringLiteral("printwebpage"));
    } else if (toolbar == QLatin1String("Toolbar11")) {
        runCommand(QStringLiteral("link"));
    } else if (toolbar == QLatin1String("Toolbar13")) {
        runCommand(QStringLiteral("image"));
    } else if (toolbar == QLatin1String("Toolbar8")) {
        if (key == QLatin1String("undock"))
            applyDocking(true, standardDocking_.undock());
    } else if (toolbar == QLatin1String("Toolbar12") && key == QLatin1String("undock")) {
        applyDocking(false, formattingDocking_.undock());
    } else if (toolbar == QLatin1String("Toolbar7")) {
        setSliderRange(key == QLatin1String("range") ? QStringLiteral("standard") : key);
    } else {
        runEditingToolbarButton(key, editTarget());
    }
}

void MainWindow::setSliderRange(const QString& key)
{
    const std::optional<SliderRange> range = sliderRangeForKey(key);
    if (!range || !sizeSlider_)
        return;
    if (range->maximumFirst) {
        sizeSlider_->setMaximum(range->maximum);
        sizeSlider_->setMinimum(range->minimum);
    } else {
        sizeSlider_->setMinimum(range->minimum);
        sizeSlider_->setMaximum(range->maximum);
    }
}

void MainWindow::undo()
{
    const EditTarget t = editTarget();
    if (!t.code)
        return;
    if (t.designView) {
        t.design->execCommand(DesignCmd::Undo);
        focusActiveDocument();
    } else {
        t.code->undo();
    }
}

void MainWindow::storeClip(const QString& text)
{
    const int slot = clipRing_.add(text);
    panel_->setClipToolTip(slot, text);
}

void MainWindow::cut(bool keepInClipRing)
{
    const EditTarget t = editTarget();
    if (!t.code)
        return;
    if (t.designView) {
        t.design->execCommand(DesignCmd::Cut);
        focusActiveDocument();
        return;
    }
    const QString text = t.code->selectedText();
    QApplication::clipboard()->setText(text);
    if (keepInClipRing)
        storeClip(text);
    t.code->replaceSelectedText(QString());
}

void MainWindow::copy(bool keepInClipRing)
{
    const EditTarget t = editTarget();
    if (!t.code)
        return;
    if (t.designView) {
        t.design->execCommand(DesignCmd::Copy);
        focusActiveDocument();
        return;
    }
    const QString text = t.code->selectedText();
    QApplication::clipboard()->setText(text);
    if (keepInClipRing)
        storeClip(text);
}

void MainWindow::paste()
{
    const EditTarget t = editTarget();
    if (!t.code)
        return;
    if (t.designView) {
        t.design->execCommand(DesignCmd::Paste);
        focusActiveDocument();
        return;
    }
    t.code->replaceSelectedText(QApplication::clipboard()->text());
    // The pasted text would otherwise stay selected and the next key typed
    // would replace it: the caret goes after it, as after any paste.
    t.code->applyKeys({Key::Right});
}

void MainWindow::selectAll()
{
    const EditTarget t = editTarget();
    if (!t.code)
        return;
    if (t.designView) {
        t.design->execCommand(DesignCmd::SelectAll);
        focusActiveDocument();
    } else {
        t.code->applyKeys({Key::CtrlHome, Key::ShiftCtrlEnd});
    }
}

void MainWindow::find()
{
    const EditTarget t = editTarget();
    if (!t.code)
        return;
    if (t.designView)
        t.design->execCommand(DesignCmd::FindText, DesignOpt::PromptUser);
    else
        t.code->openFindDialog();
}

void MainWindow::replace()
{
    const EditTarget t = editTarget();
    if (t.code && !t.designView)
        t.code->openReplaceDialog();
}

void MainWindow::codeToolTab(const QString& caption)
{
    DocumentWindow* doc = activeWindow();
    if (caption == QLatin1String("Copy Clip")) {
        copy();
        return;
    }
    if (!doc)
        return;
    CodeEditor* code = doc->code();
    const int clip = pasteClipSlot(caption);
    if (clip > 0) {
        // A slot never filled pastes nothing: the selection stays as it was.
        const QString text = clipRing_.clip(clip);
        if (!text.isEmpty())
            code->replaceSelectedText(text);
        focusActiveDocument();
        if (!text.isEmpty())
            code->applyKeys({Key::Right});
    } else if (caption == QLatin1String("Bookmark")) {
        code->runCommand(CodeCmd::ToggleBookmark);
        code->setBookmarkMarginVisible(true);
        focusActiveDocument();
    } else if (caption == QLatin1String("Next Bookmark")) {
        code->runCommand(CodeCmd::NextBookmark);
        code->setBookmarkMarginVisible(true);
        focusActiveDocument();
    } else if (caption == QLatin1String("Clear Bookmarks")) {
        code->runCommand(CodeCmd::ClearBookmarks);
        code->setBookmarkMarginVisible(false);
        focusActiveDocument();
    } else if (caption == QLatin1String("Repeater")) {
        code->runCommand(CodeCmd::Repeat);
    } else if (caption == QLatin1String("Properties")) {
        code->runCommand(CodeCmd::Properties);
    }
}

Wizard* MainWindow::projectWizard() const
{
    return wizard_.data();
}

void MainWindow::openProjectWizard()
{
    if (wizard_) {
        wizard_->raise();
        wizard_->activateWindow();
        return;
    }
    const QString templates = joinPath(programFolder(), QStringLiteral("templates"));
    wizard_ = new Wizard(this, templates, [this](const QString& indexPath) {
        if (files_->openPaths({indexPath}, false) == 0)
            return false;
        if (DocumentWindow* doc = activeWindow()) {
            if (QMdiSubWindow* sub = qobject_cast<QMdiSubWindow*>(doc->parentWidget())) {
                sub->showNormal();
                sub->showMaximized();
            }
            // Showing the frame again may put the focus in its first field,
            // the title box: the new project's page takes it instead.
            focusActiveDocument();
        }
        refreshFolderLists();
        return true;
    });
    wizard_->show();
}

void MainWindow::dockingClicked(const QString& name)
{
    const bool standard = name.startsWith(QLatin1String("st"));
    DockingSwitches& pair = standard ? standardDocking_ : formattingDocking_;
    const bool docked = name.endsWith(QLatin1String("docked"));
    applyDocking(standard, docked ? pair.clickDocked() : pair.clickVisible());
}

void MainWindow::arrange(const QString& how)
{
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* sub : mdi_->subWindowList())
        if (!sub->isMinimized() && sub->isVisible())
            windows << sub;
    if (how == QLatin1String("cascade")) {
        mdi_->cascadeSubWindows();
    } else if (how == QLatin1String("tileh") || how == QLatin1String("tilev")) {
        // Horizontal tiling stacks full-width windows one above another;
        // vertical tiling puts full-height windows side by side.
        const bool horizontal = how == QLatin1String("tileh");
        const QRect area = mdi_->viewport()->rect();
        const int n = windows.size();
        for (int i = 0; i < n; ++i) {
            QMdiSubWindow* sub = windows[i];
            sub->showNormal();
            if (horizontal) {
                const int h = area.height() / n;
                sub->setGeometry(0, i * h, area.width(), h);
            } else {
                const int w = area.width() / n;
                sub->setGeometry(i * w, 0, w, area.height());
            }
        }
    } else if (how == QLatin1String("ai")) {
        // Minimised windows line up along the bottom edge.
        int x = 0;
        const int bottom = mdi_->viewport()->height();
        for (QMdiSubWindow* sub : mdi_->subWindowList()) {
            if (!sub->isMinimized())
                continue;
            sub->move(x, bottom - sub->height());
            x += sub->width();
        }
    }
}

void MainWindow::periodicUpdate()
{
    const bool designView = table_.at(table_.activeDocument()).designViewShown;
    for (const ViewEnablingState& state : viewEnabling(designView)) {
        if (state.panelTab >= 0)
            panel_->setTabAvailable(state.panelTab, state.enabled);
        else
            menus_.setItemEnabled(state.menuItem, state.enabled);
    }
    panel_->updateLayout();
}

void MainWindow::openHelp(const QString& anchor)
{
    QString page = joinPath(programFolder(), QStringLiteral("resource/help/index.html"));
    if (!anchor.isEmpty())
        page = QStringLiteral("file://") + page + QLatin1Char('#') + anchor;
    shellOpen(QStringLiteral("open"), page, QString());
}

void MainWindow::showAbout()
{
    QMessageBox about(this);
    about.setObjectName(QStringLiteral("frmAbout"));
    about.setWindowTitle(QStringLiteral("About Inkpress"));
    about.setTextFormat(Qt::RichText);
    about.setText(QStringLiteral(
        "<h3>Inkpress</h3><p>An editor for web pages: design a page, see its HTML, "
        "and preview it as a browser shows it.</p>"
        "<p>Built with Qt %1, Qt WebEngine and QScintilla.</p>")
                      .arg(QString::fromLatin1(qVersion())));
    about.exec();
}

}
