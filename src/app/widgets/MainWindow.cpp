#include "app/widgets/MainWindow.h"

#include "dialogs/widgets/InversePropertyWindows.h"

#include "base/ProgramFolder.h"
#include "base/widgets/Icons.h"
#include "base/Twips.h"
#include "base/widgets/WindowRules.h"
#include "base/Wait.h"
#include "app/widgets/IdleReserve.h"
#include "app/widgets/EarlyInputHold.h"
#include "app/widgets/FolderFileList.h"
#include "app/widgets/SidePanel.h"
#include "app/widgets/SideTabList.h"
#include "app/widgets/StatusWaitDisplay.h"
#include "app/widgets/ToolStrip.h"
#include "editing/widgets/EditingCommands.h"
#include "editing/widgets/QuickPicker.h"
#include "app/widgets/FloatingToolWindow.h"
#include "colourfont/FontList.h"
#include "colourfont/widgets/ColorComboControl.h"
#include "colourfont/widgets/ColourCommands.h"
#include "colourfont/widgets/ColourPanel.h"
#include "colourfont/widgets/FontComboControl.h"
#include "colourfont/widgets/FontListWindow.h"
#include "document/DocumentRoutines.h"
#include "document/widgets/DocumentFiles.h"
#include "document/widgets/DocumentWindow.h"
#include "platform/CodeEditor.h"
#include "platform/ComponentFactory.h"
#include "platform/DesignSurface.h"
#include "platform/PreviewBrowser.h"

#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QDir>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSlider>
#include <QStatusBar>
#include <QTabWidget>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>
#include <utility>

namespace ink {

namespace {
// The menu items whose check marks settings2.ini keeps, in file order.
const char* const CheckItems[MainWindowSettings::MenuChecks] = {
    "insertbrackets", "styleequals", "tagapply", "classapply", "idapply",
    "stdocked",       "stvisible",   "fodocked", "fovisible",
};
}

MainWindow::MainWindow()
{
    setObjectName(QStringLiteral("MDIForm1"));
    setWindowTitle(QStringLiteral("Inkpress"));
    setWindowIcon(programIcon());
    installWindowRules();
    files_ = new DocumentFiles(*this);

    mdi_ = new QMdiArea;
    mdi_->setObjectName(QStringLiteral("documents"));
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(mdi_, &QMdiArea::subWindowActivated, this, &MainWindow::onSubWindowActivated);

    buildSidePanel();
    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(mdi_, 1);
    layout->addWidget(panel_);
    setCentralWidget(central);

    folderPanel_ = new QLabel(this);
    folderPanel_->setObjectName(QStringLiteral("Panel1"));
    folderPanel_->setAccessibleName(QStringLiteral("Folder"));
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->addWidget(folderPanel_, 1);
    waitDisplay_ = std::make_unique<StatusWaitDisplay>(statusBar());

    registerCommands();
    menus_ = buildMenus(menuBar(), [this](const QString& name) { runCommand(name); });
    buildStrips();
    connectColourTools();

    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setInterval(100);
    connect(timer_, &QTimer::timeout, this, &MainWindow::periodicUpdate);

    IdleReserve::Work idle;
    idle.loading = [this] {
        for (const QPointer<DocumentWindow>& doc : windows_)
            if (doc && !doc->isClosed() && doc->design()->busy())
                return true;
        return false;
    };
    idle.windowReady = [this] { return !nextWindow_.isNull(); };
    idle.makeWindow = [this] { prepareNextWindow(); };
    idle.palette = [this] { loadPalette(); };
    reserve_ = new IdleReserve(this, std::move(idle));
    // The palette shows in its tab: it loads when the tab is chosen, if the
    // program has not been idle long enough to load it before.
    connect(panel_->tabs(), &QTabWidget::currentChanged, this, [this](int index) {
        if (QWidget* page = panel_->tabs()->widget(index);
            page && page->objectName() == QLatin1String("dragdropHost"))
            reserve_->loadPaletteNow();
    });

    reaper_ = new QTimer(this);
    reaper_->setInterval(200);
    connect(reaper_, &QTimer::timeout, this, &MainWindow::reapClosedWindows);
}

MainWindow::~MainWindow()
{
    for (const QPointer<QMdiSubWindow>& sub : std::as_const(closedWindows_))
        delete sub.data();
    delete files_;
}

void MainWindow::buildSidePanel()
{
    panel_ = new SidePanel;
    panel_->setObjectName(QStringLiteral("Picture1"));
    connect(panel_, &SidePanel::fontTabClicked, this,
            [this](const QString& caption) { fontTabClicked(caption, editTarget()); });
    connect(panel_, &SidePanel::codeToolTabClicked, this, &MainWindow::codeToolTab);
}

// The palette's design surface starts the web engine, the slowest part of
// start-up; it is made once the main window is on screen.
void MainWindow::loadPalette()
{
    if (dragdrop_)
        return;
    dragdrop_ = createDesignSurface(panel_);
    dragdrop_->widget()->setObjectName(QStringLiteral("dragdrop"));
    panel_->setDragDropSurface(dragdrop_->widget());
    // Whatever was dragged out of or typed into the palette is undone.
    connect(dragdrop_, &DesignSurface::focusLost, this, [this] {
        QTimer::singleShot(0, this, [this] {
            dragdrop_->loadDocument(joinPath(programFolder(), QStringLiteral("resource/dragndrop.html")));
        });
    });
    dragdrop_->loadDocument(joinPath(programFolder(), QStringLiteral("resource/dragndrop.html")));
}

StripWidgetFactories MainWindow::stripFactories()
{
    StripWidgetFactories factories;
    const auto picker = [this](QuickPicker::Kind kind) {
        QuickPicker::Host host;
        host.files = [this, kind] {
            refreshFolderLists();
            const FolderFileList* list =
                kind == QuickPicker::Kind::Link ? panel_->pageFiles() : panel_->imageFiles();
            return list->fileNames();
        };
        host.target = [this] { return editTarget(); };
        return [host, kind](QWidget* parent) -> QWidget* { return new QuickPicker(kind, host, parent); };
    };
    factories.colorCombo = [this](QWidget* parent) {
        colourCombo_ = new ColorComboControl(parent);
        return colourCombo_;
    };
    factories.linkPicker = picker(QuickPicker::Kind::Link);
    factories.imagePicker = picker(QuickPicker::Kind::Image);
    return factories;
}

void MainWindow::buildStrips()
{
    const StripWidgetFactories factories = stripFactories();
    const ToolDispatcher dispatch = [this](const QString& toolbar, const QString& key) {
        runToolButton(toolbar, key);
    };
    stripB_ = createStandardStrip(dispatch, factories, this);
    addToolBar(Qt::TopToolBarArea, stripB_);
    addToolBarBreak(Qt::TopToolBarArea);
    stripFormatting_ = createFormattingStrip(dispatch, factories, this);
    addToolBar(Qt::TopToolBarArea, stripFormatting_);
    stripFormatting_->setButtonMenu(QStringLiteral("Toolbar12"), QStringLiteral("bullets"),
                                    menu(QStringLiteral("droppop")));
    fontCombo_ = qobject_cast<FontComboControl*>(
        stripFormatting_->namedWidget(QStringLiteral("FontComboControl1")));
    sizeCombo_ = qobject_cast<QComboBox*>(stripFormatting_->namedWidget(QStringLiteral("Combo1")));
    sizeSlider_ = qobject_cast<QSlider*>(stripFormatting_->namedWidget(QStringLiteral("Slider1")));
    connectFontControls(stripFormatting_);
    FontListWindow::setMainWindow(this);
    connect(&FontListNotifier::instance(), &FontListNotifier::fontListSaved, this, [this] {
        // Both Formatting bars list the fonts: the docked one and the floating one.
        const auto* floating = floatingFormatting_.data();
        for (ToolStrip* strip : {stripFormatting_, floating ? floating->strip() : nullptr}) {
            QWidget* font = strip ? strip->namedWidget(QStringLiteral("FontComboControl1")) : nullptr;
            if (auto* combo = qobject_cast<FontComboControl*>(font))
                combo->Refreshx();
        }
        loadFontTabs();
    });
}

void MainWindow::connectColourTools()
{
    if (colourCombo_) {
        connect(colourCombo_, &ColorComboControl::click, this, [this] {
            // A cancelled "Custom..." applies nothing.
            if (const std::optional<QString> colour = colourCombo_->chosenColourText(ColourForm::MainWindow, this))
                applyComboColour(*colour, editTarget());
        });
    }
    colourPanel_ = new ColourPanel;
    colourPanel_->setTargetProvider([this] { return editTarget(); });
    auto* layout = new QVBoxLayout(panel_->colourArea());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(colourPanel_);
}

namespace {

// Shows a size in the combo without it counting as a pick. A size from the
// list becomes the current item: were it only the edit text, the combo would
// take it as typed and "pick" it again when its list opens or its edit field
// loses the focus, wrapping the selection a second time.
void showSizeInCombo(QComboBox* combo, const QString& text)
{
    const QSignalBlocker quiet(combo);
    const int index = combo->findText(text);
    if (index >= 0)
        combo->setCurrentIndex(index);
    combo->setEditText(text);
}

}

// The font controls of a Formatting strip, the main window's or the
// floating window's, each working with its own widgets.
void MainWindow::connectFontControls(ToolStrip* strip)
{
    auto* sizeCombo = qobject_cast<QComboBox*>(strip->namedWidget(QStringLiteral("Combo1")));
    auto* sizeSlider = qobject_cast<QSlider*>(strip->namedWidget(QStringLiteral("Slider1")));
    auto* fontCombo = qobject_cast<FontComboControl*>(strip->namedWidget(QStringLiteral("FontComboControl1")));
    if (sizeCombo) {
        connect(sizeCombo, &QComboBox::textActivated, this, [this, sizeSlider](const QString& text) {
            const std::optional<int> value = fontSizeComboChosen(text, editTarget());
            if (value && sizeSlider)
                sizeSlider->setValue(*value);
        });
    }
    if (sizeSlider) {
        connect(sizeSlider, &QSlider::sliderReleased, this, [this, sizeSlider, sizeCombo] {
            const QString text = fontSizeSliderReleased(sizeSlider->value(), editTarget());
            if (sizeCombo)
                showSizeInCombo(sizeCombo, text);
        });
    }
    if (fontCombo)
        connect(fontCombo, &FontComboControl::click, this,
                [this, fontCombo] { fontFaceChosen(fontCombo->CurFont(), editTarget()); });
}

void MainWindow::loadFontTabs()
{
    panel_->setFontNames(readFontList(fontListPath()));
}

void MainWindow::startUp(const QString& commandLine)
{
    table_ = DocumentTable();
    QDir().mkpath(stateFolder());
    const QStringList lines = settings::readLines(settings::path(2));
    settings_.applyMenusPanelAndStrips(lines);
    applyMenuChecksAndStrips();
    flags_.modalDialogActive = false;
    placeDefault();
    flags_.mainWindowAlive = true;
    if (flags_.appClosing) {
        close();
        return;
    }
    loadFontTabs();
    periodicUpdate();
    refreshFolderLists();
    show();
    settings_.applyPlacement(lines);
    applyPlacement();
    // A bar left floating at the last close comes back floating.
    if (standardDocking_.state().floatingShown)
        applyDocking(true, standardDocking_.state());
    if (formattingDocking_.state().floatingShown)
        applyDocking(false, formattingDocking_.state());
    settings_.applyBands(lines);
    applyBands();
    timer_->start();
    // After the window has had its first paint, and not while the first
    // page loads: the next document window made ahead, then the palette
    // (see IdleReserve).
    reserve_->fillAfterStart();
    files_->offerRecovery();
    if (!commandLine.isEmpty())
        files_->openFromCommandLine(commandLine);
}

void MainWindow::applyMenuChecksAndStrips()
{
    for (int i = 0; i < MainWindowSettings::MenuChecks; ++i)
        if (QAction* a = action(QString::fromLatin1(CheckItems[i])))
            a->setChecked(settings_.menuChecks[i]);
    styleMarks_ = StyleOptions{settings_.menuChecks[0], settings_.menuChecks[1], settings_.menuChecks[2],
                               settings_.menuChecks[3], settings_.menuChecks[4]};
    standardDocking_.setMarks(settings_.menuChecks[5], settings_.menuChecks[6]);
    formattingDocking_.setMarks(settings_.menuChecks[7], settings_.menuChecks[8]);
    if (settings_.panelWidth > 0)
        panel_->setPanelWidthTwips(settings_.panelWidth);
    else if (const QScreen* screen = QGuiApplication::primaryScreen())
        panel_->setPanelWidthTwips(panel_->startWidthTwips(screen->availableGeometry().width()));
    stripB_->setVisible(settings_.stripBVisible);
    stripFormatting_->setVisible(settings_.stripCoolBarVisible);
}

void MainWindow::applyBands()
{
    for (int i = 0; i < MainWindowSettings::BandsB; ++i)
        stripB_->setBandVisible(i + 2, settings_.bandsB[i]);
    for (int i = 0; i < MainWindowSettings::BandsCoolBar; ++i)
        stripFormatting_->setBandVisible(i + 2, settings_.bandsCoolBar[i]);
}

void MainWindow::collectSettings()
{
    for (int i = 0; i < MainWindowSettings::MenuChecks; ++i)
        if (QAction* a = action(QString::fromLatin1(CheckItems[i])))
            settings_.menuChecks[i] = a->isChecked();
    const QRect frame = geometry();
    settings_.top = pixelsToTwips(frame.y());
    settings_.left = pixelsToTwips(frame.x());
    settings_.width = pixelsToTwips(frame.width());
    settings_.height = pixelsToTwips(frame.height());
    settings_.panelWidth = panel_->panelWidthTwips();
    settings_.stripBVisible = !stripB_->isHidden();
    settings_.stripCoolBarVisible = !stripFormatting_->isHidden();
    settings_.floatingStandardShown = standardDocking_.state().floatingShown;
    settings_.floatingFormattingShown = formattingDocking_.state().visible
        && !formattingDocking_.state().docked;
    for (int i = 0; i < MainWindowSettings::BandsB; ++i)
        settings_.bandsB[i] = stripB_->isBandVisible(i + 2);
    for (int i = 0; i < MainWindowSettings::BandsCoolBar; ++i)
        settings_.bandsCoolBar[i] = stripFormatting_->isBandVisible(i + 2);
}

void MainWindow::placeDefault()
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    settings_.top = pixelsToTwips(screen.y() + screen.height() * 5 / 100);
    settings_.left = pixelsToTwips(screen.x() + screen.width() * 5 / 100);
    settings_.width = pixelsToTwips(screen.width() * 90 / 100);
    settings_.height = pixelsToTwips(screen.height() * 90 / 100);
    applyPlacement();
}

void MainWindow::applyPlacement()
{
    const int w = twipsToPixels(settings_.width);
    const int h = twipsToPixels(settings_.height);
    // Sizes the window system cannot take are skipped.
    if (w >= 200 && h >= 150 && w <= 20000 && h <= 20000)
        resize(w, h);
    const int x = twipsToPixels(settings_.left);
    const int y = twipsToPixels(settings_.top);
    if (std::abs(x) <= 20000 && std::abs(y) <= 20000)
        move(x, y);
}

DocumentWindow* MainWindow::window(int slot) const
{
    return table_.isOpen(slot) ? windows_[slot].data() : nullptr;
}

void MainWindow::documentClosed(QMdiSubWindow* sub)
{
    closedWindows_ << sub;
    // The frame finishes its own close first; then the window leaves the area.
    QTimer::singleShot(0, this, [this, sub = QPointer<QMdiSubWindow>(sub)] {
        if (sub) {
            sub->hide();
            mdi_->removeSubWindow(sub);
        }
    });
    reaper_->start();
}

namespace {

// A dialog the engine shows for a page (a script's alert, confirm or prompt,
// a file or colour picker) runs its own event loop until it returns, even
// after it was closed: its window must outlive it.
bool holdsTransientDialog(QWidget* window)
{
    return !window->findChildren<QMessageBox*>().isEmpty() || !window->findChildren<QInputDialog*>().isEmpty()
        || !window->findChildren<QFileDialog*>().isEmpty() || !window->findChildren<QColorDialog*>().isEmpty();
}

}

void MainWindow::reapClosedWindows()
{
    // Not while a handler deeper in the stack waits in an event loop of its
    // own: a wait, a synchronous call into a component, or a modal dialog or
    // menu.
    if (NestedEventLoop::depth() > 0 || QApplication::activeModalWidget()
        || QApplication::activePopupWidget())
        return;
    QList<QPointer<QMdiSubWindow>> kept;
    for (const QPointer<QMdiSubWindow>& sub : std::as_const(closedWindows_)) {
        if (sub && holdsTransientDialog(sub))
            kept << sub;
        else
            delete sub.data();
    }
    closedWindows_ = kept;
    if (closedWindows_.isEmpty())
        reaper_->stop();
}

DocumentWindow* MainWindow::activeWindow()
{
    return window(table_.activeDocument());
}

// Made in its frame and shown once, out of sight inside the main window:
// the engine sets up a view's drawing on its first showing, which takes
// longer than loading a short page, and the frame and the window's widgets
// are laid out and polished. Hidden again then, so that it never takes the
// keyboard focus while it waits.
void MainWindow::prepareNextWindow()
{
    if (nextWindow_)
        return;
    constexpr int kOutOfSight = -30000;
    constexpr int kShownMs = 400;
    auto* frame = new QMdiSubWindow(this);
    auto* ahead = new DocumentWindow(*this, frame);
    frame->setWidget(ahead);
    frame->setGeometry(kOutOfSight, kOutOfSight, std::max(640, mdi_->width() * 7 / 10),
                       std::max(440, mdi_->height() * 7 / 10));
    frame->show();
    nextWindow_ = ahead;
    QTimer::singleShot(kShownMs, ahead, [this, ahead, frame] {
        if (nextWindow_ == ahead)
            frame->hide();
    });
}

DocumentWindow* MainWindow::windowMadeAhead() const
{
    return nextWindow_;
}

DocumentWindow* MainWindow::takeNextWindow(int slot)
{
    DocumentWindow* ahead = nextWindow_;
    if (!ahead)
        return new DocumentWindow(*this, slot);
    nextWindow_ = nullptr;
    ahead->parentWidget()->hide();
    ahead->takeSlot(slot);
    return ahead;
}

DocumentWindow* MainWindow::createDocumentWindow(bool loadTemplate, const OpenedPage* opened)
{
    const int slot = table_.allocate();
    if (slot == 0)
        return nullptr;
    DocumentWindow* doc = takeNextWindow(slot);
    windows_[slot] = doc;
    table_.at(slot).folder = opened ? opened->folder : table_.inheritedFolder(slot, newPageFolder());
    // The first page starts loading before the window is laid out and
    // painted: the engine reads it meanwhile.
    if (opened) {
        QString path = doc->adoptWorkingFile(opened->workingFileAhead, opened->text);
        if (path.isEmpty())
            path = doc->writeWorkingFile(opened->text, opened->utf8);
        if (!path.isEmpty())
            doc->design()->loadWrittenDocument(path, opened->text);
    } else if (loadTemplate) {
        const QString path = doc->writeWorkingFile(newPageTemplate());
        if (!path.isEmpty()) {
            doc->design()->loadDocument(path);
            doc->navigatePreview();
            holdEarlyInput(doc);
        }
    }
    connect(doc, &DocumentWindow::becameActive, this, &MainWindow::onDocumentActive);
    connectInverseProperty(doc);
    connect(doc, &DocumentWindow::closeRequested, this,
            [this](int s, bool* accept) { *accept = files_->closeSequence(s); });
    // A window made ahead comes in the frame it was made in.
    auto* frame = qobject_cast<QMdiSubWindow*>(doc->parentWidget());
    QMdiSubWindow* sub = mdi_->addSubWindow(frame ? static_cast<QWidget*>(frame) : doc);
    // The frame would delete itself when its close has been handled, even
    // inside a dialog or wait of the window's own; closed windows are
    // deleted by the reaper instead, once no such loop is running.
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    connect(doc, &DocumentWindow::closed, this, [this, sub] { documentClosed(sub); });
    // New windows cascade from the top left, each a little lower and to the right.
    const int open = mdi_->subWindowList().size() - 1;
    const int step = 28 * (open % 8);
    sub->setGeometry(step, step, std::max(640, mdi_->width() * 7 / 10),
                     std::max(440, mdi_->height() * 7 / 10));
    sub->show();
    mdi_->setActiveSubWindow(sub);
    table_.setActiveDocument(slot);
    showFolder(table_.at(slot).folder);
    // A page opened into the window is finished by the caller, which lets
    // the window paint once the page is in its Code view, and gives the Code
    // view its text (the template would only be replaced).
    if (loadTemplate) {
        const QPointer<DocumentWindow> guard(doc);
        processPendingEvents();
        if (!guard || guard->isClosed())
            return nullptr;
        doc->code()->setText(newPageTemplate());
        doc->code()->newPageSetup(3, 10);
    }
    table_.at(slot).designViewShown = true;
    table_.at(slot).modified = false;
    doc->design()->setFocus();
    reserve_->fillAfterNewWindow();
    return doc;
}

// Whoever presses Ctrl+N and types at once finds every key in the new page:
// the keys wait until its Design view has the page.
void MainWindow::holdEarlyInput(DocumentWindow* doc)
{
    if (inputHold_)
        inputHold_->stopCatching();
    inputHold_ = new EarlyInputHold(this, doc, doc->design());
}

void MainWindow::onSubWindowActivated(QMdiSubWindow* sub)
{
    auto* doc = sub ? qobject_cast<DocumentWindow*>(sub->widget()) : nullptr;
    if (!doc)
        return;
    table_.setActiveDocument(doc->slot());
    table_.at(doc->slot()).designViewShown = doc->designVisible();
    showFolder(table_.at(doc->slot()).folder);
    refreshFolderLists();
}

void MainWindow::onDocumentActive(int slot)
{
    table_.setActiveDocument(slot);
}

QString MainWindow::statusFolder() const
{
    return folderPanel_->text();
}

void MainWindow::showFolder(const QString& folder)
{
    folderPanel_->setText(folder);
}

void MainWindow::refreshFolderLists()
{
    const QString folder = table_.at(table_.activeDocument()).folder;
    if (folder.isEmpty())
        return;
    // Only inside a page folder that exists: a lost folder is not made again.
    if (QDir(folder).exists())
        QDir(folder).mkpath(QStringLiteral("images"));
    panel_->pageFiles()->setFolder(folder);
    panel_->imageFiles()->setFolder(joinPath(folder, QStringLiteral("images")));
}

void MainWindow::focusMainWindow()
{
    activateWindow();
}

void MainWindow::focusActiveDocument()
{
    DocumentWindow* doc = activeWindow();
    if (!doc)
        return;
    doc->setFocus();
    if (table_.at(doc->slot()).designViewShown)
        doc->design()->setFocus();
    else
        doc->code()->setFocus();
}

EditTarget MainWindow::editTarget()
{
    EditTarget target;
    DocumentWindow* doc = activeWindow();
    if (!doc)
        return target;
    target.design = doc->design();
    target.code = doc->code();
    target.designView = table_.at(doc->slot()).designViewShown;
    target.focusDocument = [this] { focusActiveDocument(); };
    return target;
}

void MainWindow::setOutdentButtonEnabled(bool enabled)
{
    if (QWidget* button = stripFormatting_->button(QStringLiteral("Toolbar9"), QStringLiteral("outdent")))
        button->setEnabled(enabled);
}

void MainWindow::popUpEditMenu(const QPoint& globalPos)
{
    if (QMenu* edit = menu(QStringLiteral("edit")))
        edit->popup(globalPos);
}

void MainWindow::popUpDesignMenu(const QPoint& globalPos)
{
    if (QMenu* pop = menu(QStringLiteral("dhtmlpop1")))
        pop->popup(globalPos);
}

void MainWindow::designDisplayChanged()
{
    // The surface reports from inside its own event handling; its queries
    // wait for the engine, so the controls are updated from the event loop,
    // once for a burst of changes.
    if (caretUpdateQueued_)
        return;
    caretUpdateQueued_ = true;
    QTimer::singleShot(0, this, &MainWindow::followCaretWhenIdle);
}

void MainWindow::followCaretWhenIdle()
{
    // Inside another wait on the engine (a view switch reading the page, a
    // save) the query would queue behind that one: the update runs once that
    // wait is over.
    if (NestedEventLoop::depth() > 0) {
        QTimer::singleShot(50, this, &MainWindow::followCaretWhenIdle);
        return;
    }
    caretUpdateQueued_ = false;
    // One query at a time: a change reported while one is under way asks
    // again once its answer has been shown.
    if (followingCaret_) {
        caretChangedMeanwhile_ = true;
        return;
    }
    followingCaret_ = followCaret();
}

void MainWindow::caretFollowed()
{
    followingCaret_ = false;
    if (std::exchange(caretChangedMeanwhile_, false))
        designDisplayChanged();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    collectSettings();
    for (FloatingToolWindow* floating : {floatingStandard_.data(), floatingFormatting_.data()})
        if (floating)
            floating->savePlacement();
    settings::writeLines(settings::path(2), settings_.lines());
    flags_.appClosing = true;
    if (inverse_)
        inverse_->closeAll();
    waitSeconds(1.0);
    for (QMdiSubWindow* sub : mdi_->subWindowList()) {
        if (!sub->close()) {
            // A page the user still needs (its save failed) keeps the program open.
            flags_.appClosing = false;
            event->ignore();
            return;
        }
    }
    timer_->stop();
    reapClosedWindows();
    flags_.mainWindowAlive = false;
    event->accept();
}

}
