#include "document/widgets/DocumentWindow.h"

#include "base/DocumentTable.h"
#include "base/ProgramFolder.h"
#include "base/SettingsFiles.h"
#include "base/Wait.h"
#include "base/widgets/PrintDialogs.h"
#include "base/widgets/Icons.h"
#include "base/widgets/Prompts.h"
#include "document/DocumentRoutines.h"
#include "document/PageText.h"
#include "document/widgets/DocumentHost.h"
#include "document/widgets/ViewSelectionFollower.h"
#include "platform/CodeEditor.h"
#include "platform/ComponentFactory.h"
#include "platform/DesignSurface.h"
#include "platform/PreviewBrowser.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <utility>

namespace ink {

namespace {
const QString CodeKey = QStringLiteral("Code");
const QString EditKey = QStringLiteral("Edit");
const QString ViewKey = QStringLiteral("IE View");
const QString Untitled = QStringLiteral("Untitled");
}

bool DocumentWindow::gone(const QPointer<DocumentWindow>& window)
{
    return !window || window->closed_;
}

DocumentWindow::DocumentWindow(DocumentHost& host, QWidget* parent)
    : QWidget(parent), host_(host), slot_(0), working_(0)
{
    setObjectName(QStringLiteral("htmledit"));
    setWindowTitle(Untitled);
    setWindowIcon(programIcon());
    buildWidgets();
    applyStoredBoxes();
    code_->applyFixedAppearance();
    showOnly(design_->widget());
    pressViewButton(EditKey);
}

DocumentWindow::DocumentWindow(DocumentHost& host, int slot, QWidget* parent)
    : DocumentWindow(host, parent)
{
    adoptSlot(slot, false);
}

void DocumentWindow::takeSlot(int slot)
{
    adoptSlot(slot, true);
}

void DocumentWindow::adoptSlot(int slot, bool madeAhead)
{
    slot_ = slot;
    working_.setSlot(slot);
    connectComponents();
    // Shown out of sight while it waited: the user has not seen it yet. The
    // boxes may have been changed since, in a window that has closed.
    if (madeAhead) {
        shown_ = false;
        applyStoredBoxes();
    }

    DocumentTable& table = host_.documents();
    table.setActiveDocument(slot_);
    table.at(slot_).folder = newPageFolder();
    table.at(slot_).designViewShown = true;
}

// The Syntax and Details boxes as the last window closed left them.
void DocumentWindow::applyStoredBoxes()
{
    DocumentWindowSettings boxes;
    boxes.apply(settings::readLines(settings::path(1)));
    {
        const QSignalBlocker quietSyntax(syntaxBox_);
        const QSignalBlocker quietDetails(detailsBox_);
        syntaxBox_->setChecked(boxes.syntax);
        detailsBox_->setChecked(boxes.details);
    }
    code_->setSyntaxColouring(boxes.syntax);
    design_->setShowDetails(boxes.details);
    design_->setShowBorders(boxes.details);
}

DocumentWindow::~DocumentWindow() = default;

void DocumentWindow::buildWidgets()
{
    design_ = createDesignSurface(this);
    code_ = createCodeEditor(this);
    selection_ = std::make_unique<ViewSelectionFollower>(*design_, *code_);
    preview_ = createPreviewBrowser(this);
    design_->widget()->setObjectName(QStringLiteral("DHTMLEdit1"));
    code_->widget()->setObjectName(QStringLiteral("Text1"));
    preview_->widget()->setObjectName(QStringLiteral("WebBrowser1"));
    design_->widget()->setAccessibleName(QStringLiteral("Design view"));
    code_->widget()->setAccessibleName(QStringLiteral("Code view"));
    preview_->widget()->setAccessibleName(QStringLiteral("Preview"));

    viewBar_ = new QToolBar(this);
    viewBar_->setObjectName(QStringLiteral("Toolbar1"));
    viewBar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const struct { QString key, tip; } views[] = {
        {CodeKey, QStringLiteral("Code Window")},
        {EditKey, QStringLiteral("Edit Window")},
        {ViewKey, QStringLiteral("Internet Explorer")},
    };
    for (const auto& v : views) {
        QAction* action = viewBar_->addAction(v.key);
        action->setObjectName(v.key);
        action->setToolTip(v.tip);
        action->setCheckable(true);
    }
    connect(viewAction(CodeKey), &QAction::triggered, this, [this] { switchToCode(); });
    connect(viewAction(EditKey), &QAction::triggered, this, [this] { switchToDesign(); });
    connect(viewAction(ViewKey), &QAction::triggered, this, [this] { switchToPreview(); });
    // A screen reader toggles a button through the accessibility bus without
    // clicking it: the toggle must then do what the click does.
    for (const auto& v : views) {
        const QString key = v.key;
        connect(viewAction(key), &QAction::toggled, this, [this, key] {
            if (!pressingViewButtons_)
                QTimer::singleShot(0, this, [this, key] { followViewButton(key); });
        });
    }

    titleBox_ = new QLineEdit(this);
    titleBox_->setObjectName(QStringLiteral("Text2"));
    titleBox_->setAccessibleName(QStringLiteral("Title"));
    titleBox_->setToolTip(QStringLiteral("Title"));
    titleBox_->setMinimumWidth(220);
    titleBox_->installEventFilter(this);

    refreshBar_ = new QToolBar(this);
    refreshBar_->setObjectName(QStringLiteral("Toolbar2"));
    refreshBar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QAction* refreshAction = refreshBar_->addAction(QStringLiteral("Refresh"));
    refreshAction->setObjectName(QStringLiteral("refresh"));
    refreshAction->setToolTip(QStringLiteral("Refresh CTRL+R"));
    QAction* splitAction = refreshBar_->addAction(QStringLiteral("Split"));
    splitAction->setObjectName(QStringLiteral("split"));
    splitAction->setToolTip(QStringLiteral("Vertical"));
    connect(refreshAction, &QAction::triggered, this, [this] { activate(); refresh(); });
    // "split" only locks and releases the window update.
    connect(splitAction, &QAction::triggered, this, [this] { activate(); });

    syntaxBox_ = new QCheckBox(QStringLiteral("Syntax"), this);
    syntaxBox_->setObjectName(QStringLiteral("Check1"));
    detailsBox_ = new QCheckBox(QStringLiteral("Details"), this);
    detailsBox_->setObjectName(QStringLiteral("Check2"));
    // Toggled, not clicked: a screen reader toggles a box without a click.
    connect(syntaxBox_, &QCheckBox::toggled, this, [this](bool on) {
        activate();
        code_->setSyntaxColouring(on);
    });
    connect(detailsBox_, &QCheckBox::toggled, this, [this](bool on) {
        activate();
        design_->setShowDetails(on);
        design_->setShowBorders(on);
    });

    auto* strip = new QWidget(this);
    strip->setObjectName(QStringLiteral("CoolBar2"));
    auto* stripLayout = new QHBoxLayout(strip);
    stripLayout->setContentsMargins(0, 0, 0, 0);
    stripLayout->addWidget(titleBox_, 1);
    stripLayout->addWidget(refreshBar_);
    stripLayout->addWidget(syntaxBox_);
    stripLayout->addWidget(detailsBox_);

    auto* top = new QHBoxLayout;
    top->setContentsMargins(2, 2, 2, 2);
    top->addWidget(viewBar_);
    top->addWidget(strip, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(top);
    layout->addWidget(code_->widget(), 1);
    layout->addWidget(design_->widget(), 1);
    layout->addWidget(preview_->widget(), 1);
    resize(900, 640);
}

void DocumentWindow::connectComponents()
{
    connect(code_, &CodeEditor::textChanged, this, [this] { codeTextChanged(); });
    connect(code_, &CodeEditor::activated, this, [this] { activate(); });
    connect(code_, &CodeEditor::mousePressed, this,
            [this](Qt::MouseButton button, const QPoint& pos) {
                if (button == Qt::RightButton)
                    host_.popUpEditMenu(pos);
            });
    connect(design_, &DesignSurface::loadFinished, this, [this] { designLoadFinished(); });
    connect(design_, &DesignSurface::titleArrived, this, [this] { designTitleArrived(); });
    connect(design_, &DesignSurface::clicked, this, [this] { activate(); });
    connect(design_, &DesignSurface::keyReleased, this, [this] { activate(); });
    connect(design_, &DesignSurface::displayChanged, this, [this] { host_.designDisplayChanged(); });
    connect(design_, &DesignSurface::contextMenuRequested, this,
            [this](const QPoint& pos) { host_.popUpDesignMenu(pos); });
    connect(preview_, &PreviewBrowser::focused, this, [this] { activate(); });
}

QAction* DocumentWindow::viewAction(const QString& key) const
{
    return viewBar_->findChild<QAction*>(key);
}

QString DocumentWindow::caption() const
{
    return windowTitle();
}

void DocumentWindow::setCaption(const QString& caption)
{
    setWindowTitle(caption);
}

QString DocumentWindow::folder() const
{
    return host_.documents().at(slot_).folder;
}

bool DocumentWindow::quiet() const
{
    return closed_ || host_.shellFlags().modalDialogActive;
}

void DocumentWindow::activate()
{
    // A window made ahead has no page yet.
    if (slot_ == 0)
        return;
    host_.documents().setActiveDocument(slot_);
    emit becameActive(slot_);
}

void DocumentWindow::pressViewButton(const QString& key)
{
    pressingViewButtons_ = true;
    for (const QString& k : {CodeKey, EditKey, ViewKey})
        viewAction(k)->setChecked(k == key);
    pressingViewButtons_ = false;
    pressedView_ = key;
}

// A click has switched the view by now; a toggle without a click has only
// changed the button, so the switch is made here (or the button pressed
// again when it was the view shown).
void DocumentWindow::followViewButton(const QString& key)
{
    if (closed_)
        return;
    const bool pressed = viewAction(key)->isChecked();
    if (pressed == (key == pressedView_))
        return;
    if (!pressed)
        pressViewButton(pressedView_);
    else if (key == CodeKey)
        switchToCode();
    else if (key == EditKey)
        switchToDesign();
    else
        switchToPreview();
}

// A view hidden while it holds the focus hands it on to the next box of the
// window, the title box, whose focus handler reads the page again (waiting
// on the Design view) in the middle of a switch: the view shown takes the
// focus instead. Shown only once the others are hidden, so that the Design
// view is never squeezed to half its size for a moment.
void DocumentWindow::showOnly(QWidget* shown)
{
    QWidget* focus = QApplication::focusWidget();
    const bool handOver = focus && focus != shown && !shown->isAncestorOf(focus) && viewHolding(focus);
    if (handOver)
        focus->clearFocus();
    for (QWidget* w : {code_->widget(), design_->widget(), preview_->widget()})
        if (w != shown)
            w->hide();
    shown->show();
    if (handOver)
        shown->setFocus();
}

bool DocumentWindow::viewHolding(QWidget* focus) const
{
    for (QWidget* w : {code_->widget(), design_->widget(), preview_->widget()})
        if (w == focus || w->isAncestorOf(focus))
            return true;
    return false;
}

bool DocumentWindow::designVisible() const
{
    return design_->widget()->isVisible() || (!isVisible() && !design_->widget()->isHidden());
}

QString DocumentWindow::writeWorkingFile(const QString& text, QByteArrayView utf8)
{
    return working_.write(folder(), text, utf8);
}

QString DocumentWindow::adoptWorkingFile(const QString& aheadPath, const QString& text)
{
    return working_.adopt(folder(), text, aheadPath);
}

void DocumentWindow::waitForDesign()
{
    design_->waitUntilLoaded([this] { return closed_ || host_.shellFlags().appClosing; });
}

// Not over a title the user typed meanwhile. A box that merely took the
// focus during the load (as a new window's first field can) still shows the
// title of the page before; it takes this page's.
void DocumentWindow::designTitleArrived()
{
    if (!closed_ && std::exchange(titleWhenLoaded_, false) && !titleBox_->isModified())
        showDesignTitle();
}

// The engine could not load the page: it shows a page of its own, which
// must never be taken for the user's. The code text stays the page.
void DocumentWindow::designLoadFinished()
{
    if (closed_)
        return;
    if (!design_->loadFailed()) {
        selection_->designLoaded();
        designTitleArrived();
        return;
    }
    const bool wasShown = host_.documents().at(slot_).designViewShown;
    if (wasShown)
        showCodeOnly();
    Prompts::current().warning(
        this, QStringLiteral("Inkpress"),
        QStringLiteral("The Design view could not load the page (%1). The page is kept as the "
                       "Code view shows it.")
            .arg(design_->failure()));
}

void DocumentWindow::showCodeOnly()
{
    DocumentTable::Slot& state = host_.documents().at(slot_);
    state.designViewShown = false;
    state.codeViewShown = true;
    pressViewButton(CodeKey);
    showOnly(code_->widget());
    host_.setOutdentButtonEnabled(false);
    code_->setFocus();
}

// A page still loading gets its title when the load ends: meanwhile its
// first part is shown and may be worked on, whatever the page's length.
void DocumentWindow::showDesignTitle()
{
    titleWhenLoaded_ = design_->busy() || !design_->titleKnown();
    if (!titleWhenLoaded_ && !design_->loadFailed() && !closed_)
        titleBox_->setText(design_->title());
}

void DocumentWindow::loadWorkingFileIntoDesign(const QString& text)
{
    const QString path = writeWorkingFile(text);
    if (!path.isEmpty())
        design_->loadWrittenDocument(path, working_.text());
}

bool DocumentWindow::previewUpToDate() const
{
    return previewLoaded_ && previewText_ == working_.text() && !working_.path().isEmpty()
        && preview_->locationPath() == working_.path();
}

// A hidden preview costs the engine a second load of the page (and runs
// the page's scripts behind the Design view): it loads when shown.
void DocumentWindow::loadPreview(bool navigate)
{
    if (working_.path().isEmpty())
        return;
    if (!preview_->widget()->isVisible())
        return;
    previewLoaded_ = true;
    previewText_ = working_.text();
    if (!navigate && preview_->locationPath() == working_.path())
        preview_->refresh();
    else
        preview_->navigate(working_.path());
}

void DocumentWindow::navigatePreview()
{
    loadPreview(true);
}

void DocumentWindow::refreshOrNavigatePreview()
{
    loadPreview(false);
}

void DocumentWindow::reloadDesignFromCode()
{
    const QPointer<DocumentWindow> self(this);
    waitForDesign();
    if (gone(self))
        return;
    const QString path = writeWorkingFile(code_->text());
    if (path.isEmpty())
        return;
    design_->loadWrittenDocument(path, working_.text());
    navigatePreview();
}

void DocumentWindow::keepInCodeView()
{
    viewAction(EditKey)->setVisible(false);
    host_.documents().at(slot_).designViewShown = false;
    showOnly(code_->widget());
    pressViewButton(CodeKey);
}

void DocumentWindow::switchToCode()
{
    const QPointer<DocumentWindow> self(this);
    activate();
    pressViewButton(CodeKey);
    DocumentTable::Slot& state = host_.documents().at(slot_);
    const bool fromDesign = state.designViewShown;
    bool taken = true;
    if (fromDesign) {
        std::optional<SourceRange> selection;
        taken = takeDesignIntoCode(true, &selection);
        selection_->noteDesignSelection(selection);
    }
    if (!taken) {
        // The Design view keeps the page, edits and all, for another try.
        pressViewButton(EditKey);
        showOnly(design_->widget());
        return;
    }
    showOnly(code_->widget());
    if (gone(self))
        return;
    host_.documents().at(slot_).designViewShown = false;
    host_.documents().at(slot_).codeViewShown = true;

    const QString text = code_->text();
    const QString generated = applyGeneratorRule(text);
    if (generated != text)
        code_->setText(generated);
    if (fromDesign)
        selection_->showInCode(text, generated);
    writeWorkingFile(code_->text());
    refreshOrNavigatePreview();
    host_.setOutdentButtonEnabled(false);
    processPendingEvents();
    if (gone(self))
        return;
    showDesignTitle();
    if (gone(self))
        return;
    host_.focusMainWindow();
    setFocus();
    code_->setFocus();
    emit viewSwitched(false);
}

void DocumentWindow::switchToDesign()
{
    const QPointer<DocumentWindow> self(this);
    activate();
    pressViewButton(EditKey);
    showOnly(design_->widget());
    const bool fromCode = !host_.documents().at(slot_).designViewShown;
    host_.documents().at(slot_).designViewShown = true;
    host_.documents().at(slot_).codeViewShown = false;
    host_.designDisplayChanged();
    freshlyLoaded_ = false;
    host_.setOutdentButtonEnabled(true);

    waitForDesign();
    if (gone(self))
        return;
    const QString text = code_->text();
    const bool reloaded = text != design_->documentHtml();
    if (reloaded) {
        if (isFramesetPage(text)) {
            Prompts::current().message(this, QStringLiteral("Inkpress"),
                                       QStringLiteral("Design mode for frames not supported."));
            keepInCodeView();
            return;
        }
        loadWorkingFileIntoDesign(text);
    }
    refreshOrNavigatePreview();
    processPendingEvents();
    if (gone(self))
        return;
    showDesignTitle();
    if (gone(self))
        return;
    host_.focusMainWindow();
    setFocus();
    if (!host_.documents().at(slot_).designViewShown)
        return; // the load failed and the page went back to the Code view
    showOnly(design_->widget());
    if (fromCode)
        selection_->showInDesign(reloaded);
    design_->setFocus();
    emit viewSwitched(true);
}

void DocumentWindow::switchToPreview()
{
    const QPointer<DocumentWindow> self(this);
    activate();
    pressViewButton(ViewKey);
    showOnly(preview_->widget());
    if (host_.documents().at(slot_).designViewShown) {
        copyDesignIntoCode();
        processPendingEvents();
        if (gone(self))
            return;
        writeWorkingFile(code_->text());
        if (!previewUpToDate())
            refreshOrNavigatePreview();
    } else {
        writeWorkingFile(code_->text());
        if (!previewUpToDate())
            navigatePreview();
    }
}

void DocumentWindow::refresh()
{
    const QPointer<DocumentWindow> self(this);
    if (quiet())
        return;
    activate();
    setUpdatesEnabled(false);
    if (!host_.documents().at(slot_).designViewShown) {
        design_->setBaseLocation(folder());
        waitForDesign();
        if (gone(self))
            return;
        const QString text = code_->text();
        if (text != design_->documentHtml())
            loadWorkingFileIntoDesign(text);
    } else {
        copyDesignIntoCode();
        if (gone(self))
            return;
        const QString generated = applyGeneratorRule(code_->text());
        if (generated != code_->text())
            code_->setText(generated);
        processPendingEvents();
        if (gone(self))
            return;
        writeWorkingFile(code_->text());
        refreshOrNavigatePreview();
    }
    refreshOrNavigatePreview();
    if (titleBoxFocused_) {
        applyTitle();
    } else {
        processPendingEvents();
        if (gone(self))
            return;
        showDesignTitle();
        if (gone(self))
            return;
    }
    setUpdatesEnabled(true);
}

void DocumentWindow::refreshViews()
{
    const QPointer<DocumentWindow> self(this);
    if (!host_.documents().at(slot_).designViewShown) {
        design_->setBaseLocation(folder());
        design_->setDocumentHtml(code_->text());
    } else {
        copyDesignIntoCode();
        processPendingEvents();
        if (gone(self))
            return;
    }
    writeWorkingFile(code_->text());
    refreshOrNavigatePreview();
    processPendingEvents();
    if (gone(self))
        return;
    showDesignTitle();
    if (gone(self))
        return;
}

bool DocumentWindow::copyDesignIntoCode()
{
    return takeDesignIntoCode(false);
}

// Text reaches the code only from the design document itself: never the
// text it was loaded from while a load is under way, never the engine's
// own page after a failed load, never a stale answer after a timeout.
bool DocumentWindow::takeDesignIntoCode(bool markModified, std::optional<SourceRange>* selection)
{
    const QPointer<DocumentWindow> self(this);
    // With something under way in the Design view, the selection is the one
    // it has now, before the wait; otherwise it is read at one go with the
    // text.
    if (selection && design_->busy()) {
        *selection = design_->selectionInSource();
        selection = nullptr;
    }
    // A page the engine is still loading, and nobody worked in, is the text
    // it loads: the Code view shows it whatever the engine is doing.
    if (!design_->readableWhileLoading())
        waitForDesign();
    QString html;
    const bool read = selection ? design_->readDocumentAndSelection(&html, selection)
                                : design_->readDocumentHtml(&html);
    if (read) {
        // The editor compares the bytes itself: reading its whole text back
        // to compare would cost as much again on a long page.
        if (code_->setText(html) && markModified)
            host_.documents().at(slot_).modified = true;
        return true;
    }
    if (design_->loadFailed() || closed_)
        return true;
    Prompts::current().warning(
        this, QStringLiteral("Inkpress"),
        QStringLiteral("The Design view could not give back the page (%1). The page stays in the "
                       "Design view with your changes; please try again.")
            .arg(design_->failure()));
    return false;
}

void DocumentWindow::printPreview()
{
    const QPointer<DocumentWindow> self(this);
    loadPreviewForPrinting();
    processPendingEvents();
    if (gone(self))
        return;
    preview_->printPreview();
}

// Printing needs the page as it stands now in the browser, shown or not.
void DocumentWindow::loadPreviewForPrinting()
{
    if (host_.documents().at(slot_).designViewShown && !takeDesignIntoCode(true))
        return;
    writeWorkingFile(code_->text());
    previewLoaded_ = true;
    previewText_ = working_.text();
    preview_->navigate(working_.path());
}

// The page is printed as it stands now: the text is brought into line and
// the preview loads it first (it would otherwise print the page it loaded
// before the latest edits).
void DocumentWindow::printPage()
{
    loadPreviewForPrinting();
    preview_->print();
}

// Straight from the editor's text: no file is written for it.
void DocumentWindow::printCode()
{
    if (printPlainText(code_->text(), caption(), this) == PrintResult::Failed)
        Prompts::current().warning(this, QStringLiteral("Print Code"),
                                   QStringLiteral("The code could not be printed."));
}

void DocumentWindow::applyTitle()
{
    const QPointer<DocumentWindow> self(this);
    if (quiet())
        return;
    // The title element is written only when the user changed the title:
    // a title the box merely shows (server-side code, references) stays as
    // the page has it. A box that still shows the title of the page before
    // the one loading holds no title of this page either.
    if (!titleBox_->isModified())
        return;
    titleBox_->setModified(false);
    if (host_.documents().at(slot_).designViewShown) {
        processPendingEvents();
        if (gone(self))
            return;
        waitForDesign();
        if (gone(self))
            return;
        QString html;
        if (!design_->readDocumentHtml(&html))
            return;
        const TitleEdit edit = replaceTitle(html, titleBox_->text());
        if (edit.outcome == TitleEdit::NoTitleElement) {
            titleBox_->clear();
            return;
        }
        // An unchanged title leaves the page as it is: no reload, no change.
        if (edit.outcome == TitleEdit::NoTitleEnd || edit.text == html)
            return;
        loadWorkingFileIntoDesign(edit.text);
        takeDesignIntoCode(false);
        return;
    }
    const TitleEdit edit = replaceTitle(code_->text(), titleBox_->text());
    if (edit.outcome == TitleEdit::NoTitleElement) {
        titleBox_->clear();
        return;
    }
    if (edit.outcome == TitleEdit::NoTitleEnd)
        return;
    if (edit.text != code_->text())
        code_->setText(edit.text);
    waitForDesign();
    if (gone(self))
        return;
    if (!design_->loadFailed() && code_->text() != design_->documentHtml())
        loadWorkingFileIntoDesign(code_->text());
}

void DocumentWindow::codeTextChanged()
{
    if (quiet())
        return;
    host_.documents().at(slot_).modified = true;
    applyGeneratorRuleToChange();
    if (freshlyLoaded_) {
        freshlyLoaded_ = false;
        // The window's first text arrives while it is being made or opened:
        // the title and the focus follow from the event loop, so nothing
        // waits here before the page starts to load.
        QTimer::singleShot(0, this, [this] {
            if (closed_)
                return;
            showDesignTitle();
            if (code_->widget()->isVisible())
                code_->setFocus();
        });
    }
}

// A marker the change completed overlaps it, so only the changed characters
// and the marker's length around them are looked at, not the whole page. Only
// the marker's own characters are rewritten, as part of the change.
void DocumentWindow::applyGeneratorRuleToChange()
{
    const CodeEditor::Change change = code_->lastChange();
    // A whole page opened or pasted: searched as the editor holds it.
    constexpr int longChange = 1 << 16;
    if (change.end - change.start > longChange) {
        const std::optional<QByteArrayView> utf8 = code_->utf8View();
        if (utf8 && !holdsGeneratorMarker(*utf8))
            return;
    }
    const int reach = int(generatorMarkerReach());
    const int from = std::max(change.start - reach, 0);
    const GeneratorEdit edit = generatorEdit(code_->textRange(from, change.end + reach));
    if (edit.start >= 0)
        code_->rewriteAfterChange(from + int(edit.start), from + int(edit.start + edit.length), edit.replacement);
}

void DocumentWindow::titleBoxFocusIn()
{
    const QPointer<DocumentWindow> self(this);
    if (quiet())
        return;
    // Only for the title: a page the Design view could not load is not
    // tried again here (the user is told when they switch to Design).
    if (host_.documents().at(slot_).codeViewShown) {
        waitForDesign();
        if (gone(self))
            return;
        if (!design_->loadFailed() && code_->text() != design_->documentHtml())
            loadWorkingFileIntoDesign(code_->text());
    }
    titleBoxFocused_ = true;
    processPendingEvents();
    if (gone(self))
        return;
    showDesignTitle();
    if (gone(self))
        return;
}

void DocumentWindow::titleBoxFocusOut()
{
    if (quiet())
        return;
    titleBoxFocused_ = false;
    applyTitle();
}

bool DocumentWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == titleBox_) {
        if (event->type() == QEvent::MouseButtonPress)
            activate();
        // Focus handlers pump events; run them after the focus change is done.
        if (event->type() == QEvent::FocusIn)
            QMetaObject::invokeMethod(this, [this] { titleBoxFocusIn(); }, Qt::QueuedConnection);
        else if (event->type() == QEvent::FocusOut)
            QMetaObject::invokeMethod(this, [this] { titleBoxFocusOut(); }, Qt::QueuedConnection);
    }
    return QWidget::eventFilter(watched, event);
}

void DocumentWindow::mousePressEvent(QMouseEvent* event)
{
    activate();
    QWidget::mousePressEvent(event);
}

void DocumentWindow::showEvent(QShowEvent* event)
{
    shown_ = true;
    QWidget::showEvent(event);
}

void DocumentWindow::closeEvent(QCloseEvent* event)
{
    if (closed_) {
        event->accept();
        return;
    }
    DocumentWindowSettings boxes;
    boxes.syntax = syntaxBox_->isChecked();
    boxes.details = detailsBox_->isChecked();
    settings::writeLines(settings::path(1), boxes.lines());

    bool accept = true;
    emit closeRequested(slot_, &accept);
    if (!accept) {
        event->ignore();
        return;
    }
    closed_ = true;
    working_.remove();
    host_.documents().release(slot_);
    event->accept();
    emit closed(slot_);
}

}
