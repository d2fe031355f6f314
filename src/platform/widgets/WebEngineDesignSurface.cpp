#include "platform/widgets/WebEngineDesignSurface.h"

#include "base/Wait.h"
#include "markup/SourcePatch.h"
#include "markup/SourceTree.h"
#include "platform/widgets/WebEngineDesignLibrary.h"
#include "platform/widgets/WebEngineDocumentLoader.h"
#include "platform/widgets/WebEngineInputWatch.h"
#include "platform/widgets/WebEnginePatchPlanner.h"
#include "platform/widgets/WebEngineScriptWait.h"
#include "platform/widgets/WebEngineSelectionPlace.h"

#include <QFileInfo>
#include <QInputDialog>
#include <QTimer>
#include <QWebEngineFindTextResult>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <utility>

namespace ink {

namespace {

// Long enough for any single call on a large page, short enough that a
// stuck engine never hangs the program.
constexpr int kCallTimeoutMs = 8000;
// Writing out a page of tens of megabytes takes the engine a while.
constexpr int kReadTimeoutMs = 60000;
// From this size on, blocks out of sight are laid out only when scrolled
// near: the page shows about twice as fast.
constexpr qint64 kLazyLayoutBytes = 256 * 1024;
// Pages from this size on take edits of their text in place (see
// patchDocument); shorter ones load again in no time.
constexpr qint64 kPatchFromBytes = 64 * 1024;

QString keyName(Key key)
{
    switch (key) {
    case Key::Right: return QStringLiteral("Right");
    case Key::Left: return QStringLiteral("Left");
    case Key::ShiftLeft: return QStringLiteral("ShiftLeft");
    case Key::ShiftRight: return QStringLiteral("ShiftRight");
    case Key::Tab: return QStringLiteral("Tab");
    case Key::CtrlHome: return QStringLiteral("CtrlHome");
    case Key::ShiftCtrlEnd: return QStringLiteral("ShiftCtrlEnd");
    case Key::Up: return QStringLiteral("Up");
    case Key::Home: return QStringLiteral("Home");
    }
    return QString();
}

bool isPublishedCommand(int id)
{
    static const QList<int> ids{
        DesignCmd::Bold,         DesignCmd::Copy,          DesignCmd::Cut,
        DesignCmd::DeleteCells,  DesignCmd::DeleteColumns, DesignCmd::DeleteRows,
        DesignCmd::FindText,     DesignCmd::GetFontName,   DesignCmd::GetFontSize,
        DesignCmd::GetForeColor, DesignCmd::Indent,        DesignCmd::InsertCell,
        DesignCmd::InsertColumn, DesignCmd::InsertRow,     DesignCmd::Italic,
        DesignCmd::JustifyCenter, DesignCmd::JustifyLeft,  DesignCmd::JustifyRight,
        DesignCmd::MakeAbsolute, DesignCmd::MergeCells,    DesignCmd::Outdent,
        DesignCmd::Paste,        DesignCmd::RemoveFormat,  DesignCmd::SelectAll,
        DesignCmd::SetBackColor, DesignCmd::SetFontName,   DesignCmd::SetFontSize,
        DesignCmd::SetForeColor, DesignCmd::SplitCell,     DesignCmd::Underline,
        DesignCmd::Undo};
    return ids.contains(id);
}

// Library functions that only read the document, or set its selection or
// the detail display: calling them changes nothing that is written.
bool readsOnly(const QString& function)
{
    static const QStringList names{
        QStringLiteral("documentChanges"), QStringLiteral("documentHtml"),
        QStringLiteral("sourceSelection"), QStringLiteral("selectPlace"),
        QStringLiteral("title"),           QStringLiteral("bgColor"),
        QStringLiteral("bodyHtml"),        QStringLiteral("activeHtml"),
        QStringLiteral("selectionType"),   QStringLiteral("selectionHtml"),
        QStringLiteral("controlHtml"),     QStringLiteral("state"),
        QStringLiteral("status"),          QStringLiteral("setDisplay")};
    return names.contains(function);
}

bool isGetter(int id)
{
    return id == DesignCmd::GetFontName || id == DesignCmd::GetFontSize
        || id == DesignCmd::GetForeColor;
}

// What the wait display says while a page loads.
QString loadingText(int percent)
{
    return QStringLiteral("Loading the page into the Design view... %1 %").arg(percent);
}

// A load that has not moved on for this long is taken as stuck: the user is
// told so, and that the Code view holds the whole page meanwhile.
constexpr int kStalledLoadMs = 20000;

QString stalledText(int percent)
{
    return QStringLiteral("The Design view cannot finish loading the page (stopped at %1 %); "
                          "the Code view shows all of it.")
        .arg(percent);
}

}

WebEngineDesignSurface::WebEngineDesignSurface(QWidget* parent)
    : DesignSurface(parent)
    , view_(new QWebEngineView(parent))
    , loader_(new WebEngineDocumentLoader(view_, this))
    , patchPlanner_(new WebEnginePatchPlanner(this))
    , callTimeoutMs_(kCallTimeoutMs)
    , readTimeoutMs_(kReadTimeoutMs)
    , stallTimer_(new QTimer(this))
{
    page()->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    installDesignScripts(page(), showDetails_, showBorders_);
    connect(loader_, &WebEngineDocumentLoader::finished, this,
            &WebEngineDesignSurface::onLoadFinished);
    connect(patchPlanner_, &WebEnginePatchPlanner::planned, this,
            [this](const WebEnginePatchPlanner::Plan& plan) {
                if (!patching_)
                    return;
                if (plan.patch && !touchedWhilePatching_)
                    applyPatch(plan.source, plan.after, *plan.patch);
                else
                    loadFileAnew(patchPath_);
            });
    // A long page shows its first part and may be worked on while the rest
    // loads: the wait display says how far the load is meanwhile.
    connect(loader_, &WebEngineDocumentLoader::progressChanged, this, [this](int percent) {
        if (!loader_->busy())
            return;
        if (!loadNotice_)
            loadNotice_ = std::make_unique<WaitNotice>(loadingText(percent));
        else
            loadNotice_->setText(loadingText(percent));
        stallTimer_->start();
    });
    stallTimer_->setSingleShot(true);
    stallTimer_->setInterval(kStalledLoadMs);
    connect(stallTimer_, &QTimer::timeout, this, [this] {
        if (!loader_->busy())
            return;
        if (!loadNotice_)
            loadNotice_ = std::make_unique<WaitNotice>(stalledText(loader_->progress()), 0);
        else
            loadNotice_->setText(stalledText(loader_->progress()));
    });

    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        const QPoint global = view_->mapToGlobal(pos);
        QMetaObject::invokeMethod(
            this, [this, global] { emit contextMenuRequested(global); }, Qt::QueuedConnection);
    });

    auto* input = new WebEngineInputWatch(view_);
    connect(input, &WebEngineInputWatch::inputArrived, this, [this] { noteEngineChange(); });
    connect(input, &WebEngineInputWatch::leftButtonReleased, this, [this] {
        noteTouch();
        noteRelease(clicks_);
        queueDisplayChanged();
    });
    connect(input, &WebEngineInputWatch::keyReleased, this, [this] {
        noteTouch();
        noteRelease(keys_);
        queueDisplayChanged();
    });
    connect(input, &WebEngineInputWatch::focusOut, this,
            [this] { queueSignal(&DesignSurface::focusLost); });
}

WebEngineDesignSurface::~WebEngineDesignSurface()
{
    if (view_ && !view_->parent())
        delete view_;
}

QWidget* WebEngineDesignSurface::widget()
{
    return view_;
}

QWebEnginePage* WebEngineDesignSurface::page() const
{
    return view_->page();
}

QVariant WebEngineDesignSurface::call(const QString& function, const QVariantList& args,
                                      int timeoutMs, bool* answered)
{
    noteTouch();
    if (!readsOnly(function))
        noteChange();
    const QString script = designLibraryCall(function, args);
    const int timeout = timeoutMs > 0 ? timeoutMs : callTimeoutMs_;
    bool done = false;
    QVariant answer = runScriptAndWait(page(), script, timeout, &done);
    if (isMissingLibraryAnswer(answer)) {
        repairDocument();
        answer = runScriptAndWait(page(), script, timeout, &done);
    }
    // Worth a line in the log: every wait like this one held the window.
    if (!done)
        qWarning("The Design view did not answer %s within %d ms", qPrintable(function), timeout);
    if (answered)
        *answered = done;
    return answer;
}

void WebEngineDesignSurface::noteTouch()
{
    touchedWhileLoading_ = touchedWhileLoading_ || loader_->busy();
    touchedWhilePatching_ = touchedWhilePatching_ || patching_;
}

// Until the engine reports the load's real end, however long that takes;
// the user may go on working meanwhile (the part of the page shown is
// editable and its edits are tracked).
bool WebEngineDesignSurface::waitUntilLoaded(const std::function<bool()>& stopWaiting)
{
    if (!busy())
        return true;
    const auto text = loadingText;
    WaitNotice notice(text(loader_->progress()), 0);
    EventWait wait([this, &stopWaiting] { return !busy() || (stopWaiting && stopWaiting()); });
    connect(this, &DesignSurface::loadFinished, &wait, &EventWait::wake);
    connect(loader_, &WebEngineDocumentLoader::finished, &wait, &EventWait::wake);
    connect(loader_, &WebEngineDocumentLoader::progressChanged, &wait,
            [&notice, text](int percent) { notice.setText(text(percent)); });
    wait.exec();
    return !busy();
}

// A document that came without the library (the page's first, empty one):
// set it up as a loaded one would have been.
void WebEngineDesignSurface::repairDocument()
{
    runScriptAndWait(page(),
                     designCreateScript(showDetails_, showBorders_)
                         + QStringLiteral("\ninkSurface.prepare();"),
                     kCallTimeoutMs);
}

QString WebEngineDesignSurface::callText(const QString& function, const QVariantList& args)
{
    const QVariant answer = call(function, args);
    return answer.userType() == QMetaType::QString ? answer.toString() : QString();
}

void WebEngineDesignSurface::prepareLoad(qint64 size)
{
    const bool lazy = size >= kLazyLayoutBytes;
    if (lazy != lazyLayout_) {
        lazyLayout_ = lazy;
        scriptsStale_ = true;
    }
    installStaleScripts();
    everLoaded_ = true;
    touchedWhileLoading_ = false;
    noteChange();
    stallTimer_->start();
    patching_ = false;
    ++patchRun_;
    patchPlanner_->cancel();
    titleKnown_ = false;
    readingTitle_ = false;
    readFailure_.clear();
}

void WebEngineDesignSurface::loadDocument(const QString& path)
{
    if (patchDocument(path))
        return;
    loadFileAnew(path);
}

void WebEngineDesignSurface::loadWrittenDocument(const QString& path, const QString& text)
{
    if (patchDocument(path))
        return;
    loadFileAnew(path, &text);
}

// A new text of the file shown, changed inside one element, is laid into
// the document in place of that element's changed children instead of
// loading the whole page again: a long page is back at once, where the
// reader was. Only a document without edits of its own takes it, and only
// when the nodes come out as the parse of the whole new text has them. The
// parse runs on a worker thread and the engine lays the edit in without
// being waited for: the surface is busy meanwhile, and loads the file anew
// when the edit cannot be laid in, or the user worked in the document
// before it was.
bool WebEngineDesignSurface::patchDocument(const QString& path)
{
    if (!everLoaded_ || busy() || loader_->failed() || loader_->loadedPath() != path)
        return false;
    const qint64 size = QFileInfo(path).size();
    if (size < kPatchFromBytes || (size >= kLazyLayoutBytes) != lazyLayout_)
        return false;
    std::optional<QByteArray> source = WebEngineDocumentLoader::readSource(path);
    if (!source)
        return false;
    patching_ = true;
    ++patchRun_;
    patchPath_ = path;
    touchedWhilePatching_ = false;
    readFailure_.clear();
    patchPlanner_->start(
        sourceWriter_.treeLater(loader_->loadedText(), loader_->loadedWithLineEnd()),
        std::move(*source));
    return true;
}

void WebEngineDesignSurface::applyPatch(const QByteArray& source, TreeFuture after,
                                        const SourcePatch& patch)
{
    const int run = patchRun_;
    const int touches = touches_;
    const QPointer<WebEngineDesignSurface> self(this);
    const auto done = [self, run, source, after, touches](const QVariant& laidIn) {
        if (!self || run != self->patchRun_)
            return;
        const bool ok = laidIn.userType() == QMetaType::Bool && laidIn.toBool();
        // Out of the engine's callback before anything else talks to it.
        QTimer::singleShot(0, self, [self, run, ok, source, after, touches] {
            if (self && run == self->patchRun_)
                self->endPatch(ok, source, after, touches);
        });
    };
    page()->runJavaScript(designLibraryCall(QStringLiteral("patchDocument"),
                                            {patch.parentPath, patch.first, patch.count,
                                             patch.markup, patch.shape}),
                          QWebEngineScript::ApplicationWorld, done);
    // An engine that never answers: the page is loaded anew.
    QTimer::singleShot(readTimeoutMs_, this, [done] { done(QVariant()); });
}

void WebEngineDesignSurface::endPatch(bool laidIn, const QByteArray& source, TreeFuture after,
                                      int touches)
{
    if (!laidIn) {
        loadFileAnew(patchPath_);
        return;
    }
    loader_->adoptSource(source);
    sourceWriter_.adopt(loader_->loadedText(), source.endsWith("\r\n"), std::move(after));
    readFailure_.clear();
    // The document is the new text, unless the user worked in it after the
    // edit was sent (that work is tracked as the document's own change).
    if (touches == touches_)
        syncedAt_ = touches_;
    // The engine lays the page out again after the edit, which on a long
    // page takes seconds: the surface stays busy until it answers, so that
    // what follows the load (placing the selection) does not wait on it
    // with the window held.
    const int run = patchRun_;
    const QPointer<WebEngineDesignSurface> self(this);
    const auto settled = [self, run](const QVariant&) {
        if (!self || run != self->patchRun_)
            return;
        self->patching_ = false;
        ++self->patchRun_;
        self->queueSignal(&DesignSurface::loadFinished);
        self->queueDisplayChanged();
    };
    page()->runJavaScript(QStringLiteral("0"), QWebEngineScript::ApplicationWorld, settled);
    QTimer::singleShot(readTimeoutMs_, this, [settled] { settled(QVariant()); });
}

void WebEngineDesignSurface::loadFileAnew(const QString& path, const QString* written)
{
    prepareLoad(QFileInfo(path).size());
    if (written)
        loader_->loadWrittenFile(path, *written);
    else
        loader_->loadFile(path);
}

// Inside the engine's signal: only an asynchronous script may run here. The
// title is read without waiting, and the load ends for the rest of the
// program once it has come: nothing after a load waits on the engine, which
// may still be busy with a long page for a while.
void WebEngineDesignSurface::onLoadFinished()
{
    loadNotice_.reset();
    stallTimer_->stop();
    const int load = ++loadsFinished_;
    readingTitle_ = false;
    // A page loaded again after its engine process ended.
    patching_ = false;
    ++patchRun_;
    patchPlanner_->cancel();
    sourceWriter_.prepare(loader_->loadedText());
    if (loader_->failed()) {
        queueSignal(&DesignSurface::loadFinished);
        return;
    }
    readingTitle_ = true;
    const QPointer<WebEngineDesignSurface> self(this);
    page()->runJavaScript(designLibraryCall(QStringLiteral("title"), {}),
                          QWebEngineScript::ApplicationWorld, [self, load](const QVariant& title) {
                              if (self)
                                  self->titleAnswered(load, title);
                          });
    // An engine that never answers leaves the title to be asked for later.
    QTimer::singleShot(callTimeoutMs_, this, [this, load] { endLoad(load, QVariant()); });
    if (displayPending_) {
        displayPending_ = false;
        page()->runJavaScript(designLibraryCall(QStringLiteral("setDisplay"),
                                                {QStringLiteral("details"), showDetails_})
                                  + designLibraryCall(QStringLiteral("setDisplay"),
                                                      {QStringLiteral("borders"), showBorders_}),
                              QWebEngineScript::ApplicationWorld);
    }
}

// An answer that comes after the load was ended without it is kept all the
// same, so that nobody need ask the engine again.
void WebEngineDesignSurface::titleAnswered(int load, const QVariant& title)
{
    if (readingTitle_) {
        endLoad(load, title);
        return;
    }
    if (load != loadsFinished_ || loader_->busy() || titleKnown_ || title.userType() != QMetaType::QString)
        return;
    titleKnown_ = true;
    title_ = title.toString();
    queueSignal(&DesignSurface::titleArrived);
}

void WebEngineDesignSurface::endLoad(int load, const QVariant& title)
{
    if (load != loadsFinished_ || !readingTitle_ || loader_->busy())
        return;
    readingTitle_ = false;
    titleKnown_ = title.userType() == QMetaType::QString;
    title_ = titleKnown_ ? title.toString() : QString();
    queueSignal(&DesignSurface::loadFinished);
}

bool WebEngineDesignSurface::busy() const
{
    return loader_->busy() || readingTitle_ || patching_;
}

bool WebEngineDesignSurface::readableWhileLoading() const
{
    return loader_->busy() && !touchedWhileLoading_;
}

bool WebEngineDesignSurface::loadFailed() const
{
    return loader_->failed();
}

QString WebEngineDesignSurface::failure() const
{
    if (loader_->failed())
        return loader_->failureText();
    return readFailure_;
}

// The library answers null for a document unchanged since its load, whose
// text is then exactly the one it was loaded from.
bool WebEngineDesignSurface::readDocumentHtml(QString* html)
{
    // A page still loading that nobody has worked in yet is the text it is
    // loading: closing or saving it need not wait for a long load's end.
    if (readableWhileLoading()) {
        readFailure_.clear();
        *html = loader_->loadedText();
        return true;
    }
    if (!waitUntilLoaded()) {
        readFailure_ = QStringLiteral("the page is still loading");
        return false;
    }
    if (loader_->failed())
        return false;
    // Nothing has touched the document since it was last known to be its
    // loaded text: the engine, perhaps busy laying out a long page, is not
    // asked.
    if (syncedAt_ == touches_) {
        readFailure_.clear();
        *html = loader_->loadedText();
        return true;
    }
    const int touches = touches_;
    const bool landed = engineChangesLanded();
    bool answered = false;
    const QVariant changes = call(QStringLiteral("documentChanges"), {}, readTimeoutMs_, &answered);
    return htmlFromChanges(changes, answered, touches, landed, html);
}

// An edit rewrites only what it changed: the rest comes back as it was
// loaded, in the page's own form. Only when the changes cannot be laid over
// the loaded text ("" from the page: edits made before the changes were
// watched) is the whole document serialised.
bool WebEngineDesignSurface::htmlFromChanges(const QVariant& changes, bool answered, int touches,
                                             bool landed, QString* html)
{
    const auto unanswered = [this, &answered] {
        if (answered && !loader_->busy() && !loader_->failed())
            return false;
        readFailure_ = QStringLiteral("the Design view did not answer in time");
        return true;
    };
    if (unanswered())
        return false;
    readFailure_.clear();
    if (changes.userType() != QMetaType::QString) {
        *html = loader_->loadedText();
        // Read back unchanged: known to be the loaded text from now on,
        // unless a key or a paste the engine had not yet carried out may
        // still change it.
        if (touches == touches_ && landed)
            syncedAt_ = touches;
        return true;
    }
    const QString described = changes.toString();
    if (!described.isEmpty()) {
        const auto describe = [this](const QStringList& whole) {
            const QVariant again = call(QStringLiteral("documentChanges"), {whole}, readTimeoutMs_);
            return again.userType() == QMetaType::QString ? again.toString() : QString();
        };
        if (std::optional<QString> merged =
                sourceWriter_.write(loader_->loadedText(), described, describe)) {
            *html = *merged;
            return true;
        }
    }
    answered = false;
    const QVariant answer = call(QStringLiteral("documentHtml"), {loader_->loadedDoctype()},
                                 readTimeoutMs_, &answered);
    if (unanswered())
        return false;
    *html = answer.userType() == QMetaType::QString ? answer.toString() : loader_->loadedText();
    return true;
}

QString WebEngineDesignSurface::documentHtml()
{
    QString html;
    readDocumentHtml(&html);
    return html;
}

void WebEngineDesignSurface::setDocumentHtml(const QString& html)
{
    prepareLoad(html.size());
    loader_->loadHtml(html, baseFolder_);
}

void WebEngineDesignSurface::setBaseLocation(const QString& folder)
{
    baseFolder_ = folder;
}

void WebEngineDesignSurface::setShowDetails(bool on)
{
    if (std::exchange(showDetails_, on) != on)
        setDisplay(QStringLiteral("details"), on);
}

void WebEngineDesignSurface::setShowBorders(bool on)
{
    if (std::exchange(showBorders_, on) != on)
        setDisplay(QStringLiteral("borders"), on);
}

// Documents loaded from now on are created with the new display; a load
// under way gets it when it ends.
void WebEngineDesignSurface::setDisplay(const QString& kind, bool on)
{
    scriptsStale_ = true;
    // Both displays are set together as a window is made: the scripts
    // (the whole design library) go to the engine once for the two, before
    // the next load at the latest.
    QTimer::singleShot(0, this, [this] { installStaleScripts(); });
    if (loader_->busy())
        displayPending_ = true;
    else if (everLoaded_)
        call(QStringLiteral("setDisplay"), {kind, on});
}

QString WebEngineDesignSurface::execCommand(int id, int option, const QString& value)
{
    if (!isPublishedCommand(id))
        return QString();
    if (isGetter(id))
        return callText(QStringLiteral("command"), {id, value});
    switch (id) {
    case DesignCmd::Copy:
    case DesignCmd::Cut:
    case DesignCmd::Paste:
        runClipboardAction(id);
        break;
    case DesignCmd::FindText:
        find(option, value);
        break;
    default:
        call(QStringLiteral("command"), {id, value});
        break;
    }
    queueDisplayChanged();
    return QString();
}

// Input and the engine's clipboard actions reach the page through the
// engine's own queues, which a script may overtake; a second is far longer
// than any of them waits there.
void WebEngineDesignSurface::noteEngineChange()
{
    noteChange();
    sinceEngineChange_.start();
}

bool WebEngineDesignSurface::engineChangesLanded() const
{
    return !sinceEngineChange_.isValid() || sinceEngineChange_.elapsed() >= 1000;
}

// The engine runs these on its focused frame only.
void WebEngineDesignSurface::runClipboardAction(int id)
{
    noteEngineChange();
    if (!view_->hasFocus())
        view_->setFocus();
    switch (id) {
    case DesignCmd::Copy: page()->triggerAction(QWebEnginePage::Copy); break;
    case DesignCmd::Cut: page()->triggerAction(QWebEnginePage::Cut); break;
    case DesignCmd::Paste: page()->triggerAction(QWebEnginePage::Paste); break;
    }
}

// Option 1, or the default without a text, asks the user what to find.
void WebEngineDesignSurface::find(int option, const QString& value)
{
    QString text = value;
    if (option == DesignOpt::PromptUser || (option == DesignOpt::Default && text.isEmpty())) {
        bool ok = false;
        text = QInputDialog::getText(view_, QStringLiteral("Find"), QStringLiteral("Find what:"),
                                     QLineEdit::Normal, text, &ok);
        if (!ok)
            return;
    }
    if (text.isEmpty())
        return;
    // Ending the search leaves the match selected, ready for the next command.
    QPointer<WebEngineDesignSurface> self(this);
    page()->findText(text, {}, [self](const QWebEngineFindTextResult& result) {
        if (self && result.numberOfMatches() > 0)
            QTimer::singleShot(0, self, [self] { self->page()->findText(QString()); });
    });
}

int WebEngineDesignSurface::queryStatus(int id)
{
    if (!isPublishedCommand(id))
        return DesignStatus::NotSupported;
    return call(QStringLiteral("status"), {id}).toInt();
}

namespace {

QVariantList stateArguments(const QList<int>& statuses, const QList<int>& getters)
{
    QVariantList statusIds;
    for (int id : statuses)
        statusIds << (isPublishedCommand(id) ? id : 0);
    QVariantList getterIds;
    for (int id : getters)
        getterIds << (isPublishedCommand(id) && isGetter(id) ? id : 0);
    return {QVariant(statusIds), QVariant(getterIds)};
}

QStringList stateAnswer(const QVariant& answer, qsizetype expected)
{
    if (answer.userType() != QMetaType::QVariantList && answer.userType() != QMetaType::QStringList)
        return {};
    const QStringList state = answer.toStringList();
    return state.size() == expected ? state : QStringList();
}

}

QStringList WebEngineDesignSurface::queryState(const QList<int>& statuses,
                                               const QList<int>& getters)
{
    return stateAnswer(call(QStringLiteral("state"), stateArguments(statuses, getters)),
                       statuses.size() + getters.size());
}

// `done` runs once: with the answer, or with nothing when the engine has not
// answered in the call's time (a document without the library, such as the
// engine's first empty page, answers nothing either).
void WebEngineDesignSurface::queryStateLater(const QList<int>& statuses, const QList<int>& getters,
                                             QObject* receiver,
                                             std::function<void(const QStringList&)> done)
{
    const qsizetype expected = statuses.size() + getters.size();
    auto pending = std::make_shared<std::function<void(const QStringList&)>>(std::move(done));
    const QPointer<QObject> target(receiver);
    const auto answer = [pending, target](const QStringList& state) {
        if (!*pending || !target)
            return;
        const auto run = std::exchange(*pending, nullptr);
        QTimer::singleShot(0, target, [run, state] { run(state); });
    };
    page()->runJavaScript(
        designLibraryCall(QStringLiteral("state"), stateArguments(statuses, getters)),
        QWebEngineScript::ApplicationWorld,
        [answer, expected](const QVariant& value) { answer(stateAnswer(value, expected)); });
    QTimer::singleShot(callTimeoutMs_, receiver, [answer] { answer({}); });
}

// The title is read once as a load ends: nothing but a load changes it (the
// page's own scripts do not run, and an edit in place never reaches the
// head), and asking the engine again waits behind its layout of a long page.
QString WebEngineDesignSurface::title()
{
    if (titleKnown_ && !busy())
        return title_;
    return callText(QStringLiteral("title"));
}

QString WebEngineDesignSurface::bgColor()
{
    return callText(QStringLiteral("bgColor"));
}

void WebEngineDesignSurface::setBgColor(const QString& colour)
{
    call(QStringLiteral("setBgColor"), {colour});
    queueDisplayChanged();
}

QString WebEngineDesignSurface::bodyInnerHtml()
{
    return callText(QStringLiteral("bodyHtml"));
}

QString WebEngineDesignSurface::activeElementInnerHtml()
{
    return callText(QStringLiteral("activeHtml"));
}

QString WebEngineDesignSurface::selectionType()
{
    const QString type = callText(QStringLiteral("selectionType"));
    return type.isEmpty() ? QStringLiteral("None") : type;
}

void WebEngineDesignSurface::clearSelection()
{
    call(QStringLiteral("clear"));
    queueDisplayChanged();
}

QString WebEngineDesignSurface::selectionHtmlText()
{
    return callText(QStringLiteral("selectionHtml"));
}

QString WebEngineDesignSurface::controlOuterHtml()
{
    return callText(QStringLiteral("controlHtml"));
}

void WebEngineDesignSurface::pasteHtml(const QString& html)
{
    call(QStringLiteral("paste"), {html});
    queueDisplayChanged();
}

void WebEngineDesignSurface::pasteHtmlSelectingInner(const QString& before, const QString& inner,
                                                     const QString& after)
{
    call(QStringLiteral("pasteInner"), {before, inner, after});
    queueDisplayChanged();
}

bool WebEngineDesignSurface::wrapSelection(const QString& opening, const QString& closing,
                                           bool stripBlock)
{
    const bool wrapped = call(QStringLiteral("wrap"), {opening, closing, stripBlock}).toBool();
    if (wrapped)
        queueDisplayChanged();
    return wrapped;
}

void WebEngineDesignSurface::applyKeys(const KeySequence& keys)
{
    QStringList names;
    for (Key key : keys)
        names << keyName(key);
    call(QStringLiteral("keys"), {names});
    queueDisplayChanged();
}

std::optional<SourceRange> WebEngineDesignSurface::selectionInSource()
{
    if (!everLoaded_ || loader_->busy() || loader_->failed())
        return std::nullopt;
    bool answered = false;
    const QVariant answer = call(QStringLiteral("sourceSelection"), {}, readTimeoutMs_, &answered);
    if (!answered)
        return std::nullopt;
    return WebEngineSelectionPlace(sourceWriter_, loader_->loadedText(),
                                   loader_->loadedWithLineEnd())
        .toSource(answer);
}

// The selection's answer carries the document's changes as well: one call
// gives both, where a loaded document has changes to read. Anything else
// (a load or an edit laid in still under way, an untouched document) is
// read as the two reads would.
bool WebEngineDesignSurface::readDocumentAndSelection(QString* html,
                                                      std::optional<SourceRange>* selection)
{
    if (!everLoaded_ || busy() || loader_->failed() || syncedAt_ == touches_) {
        *selection = selectionInSource();
        return readDocumentHtml(html);
    }
    const int touches = touches_;
    const bool landed = engineChangesLanded();
    bool answered = false;
    const QVariant answer = call(QStringLiteral("sourceSelection"), {}, readTimeoutMs_, &answered);
    const QVariantList parts = answer.toList();
    // No selection in the document (or no answer): nothing to share.
    if (!answered || parts.isEmpty()) {
        *selection = std::nullopt;
        return readDocumentHtml(html);
    }
    *selection = WebEngineSelectionPlace(sourceWriter_, loader_->loadedText(),
                                         loader_->loadedWithLineEnd())
                     .toSource(answer);
    return htmlFromChanges(parts.last(), answered, touches, landed, html);
}

bool WebEngineDesignSurface::selectInSource(const SourceRange& range)
{
    if (!everLoaded_ || loader_->busy() || loader_->failed())
        return false;
    bool answered = false;
    const QVariant changes = call(QStringLiteral("documentChanges"), {}, readTimeoutMs_, &answered);
    if (!answered)
        return false;
    const QVariantList place = WebEngineSelectionPlace(sourceWriter_, loader_->loadedText(),
                                                       loader_->loadedWithLineEnd())
                                   .toDesign(range, changes);
    return !place.isEmpty() && call(QStringLiteral("selectPlace"), place).toBool();
}

// Both steps go to the engine without waiting: after an edit laid into a
// long page, the engine answers only once it has laid the page out again.
void WebEngineDesignSurface::selectInSourceLater(const SourceRange& range, QObject* receiver,
                                                 std::function<void(bool)> done)
{
    auto pending = std::make_shared<std::function<void(bool)>>(std::move(done));
    const QPointer<QObject> target(receiver);
    const auto finish = [pending, target](bool placed) {
        if (!*pending || !target)
            return;
        const auto run = std::exchange(*pending, nullptr);
        QTimer::singleShot(0, target, [run, placed] { run(placed); });
    };
    if (!everLoaded_ || busy() || loader_->failed()) {
        finish(false);
        return;
    }
    // The user's own click or key while the engine was busy wins.
    const int touches = touches_;
    const int run = patchRun_;
    const int load = loadsFinished_;
    const QPointer<WebEngineDesignSurface> self(this);
    const auto current = [self, touches, run, load] {
        return self && self->touches_ == touches && self->patchRun_ == run
            && self->loadsFinished_ == load && !self->busy();
    };
    page()->runJavaScript(
        designLibraryCall(QStringLiteral("documentChanges"), {}),
        QWebEngineScript::ApplicationWorld, [self, range, current, finish](const QVariant& changes) {
            if (!current()) {
                finish(false);
                return;
            }
            const QVariantList place =
                WebEngineSelectionPlace(self->sourceWriter_, self->loader_->loadedText(),
                                        self->loader_->loadedWithLineEnd())
                    .toDesign(range, changes);
            if (place.isEmpty()) {
                finish(false);
                return;
            }
            self->page()->runJavaScript(designLibraryCall(QStringLiteral("selectPlace"), place),
                                        QWebEngineScript::ApplicationWorld,
                                        [finish](const QVariant& placed) {
                                            finish(placed.userType() == QMetaType::Bool
                                                   && placed.toBool());
                                        });
        });
    QTimer::singleShot(readTimeoutMs_, receiver, [finish] { finish(false); });
}

void WebEngineDesignSurface::setFocus()
{
    view_->setFocus();
}

void WebEngineDesignSurface::setAnswerTimeouts(int callMs, int readMs)
{
    callTimeoutMs_ = callMs;
    readTimeoutMs_ = readMs;
}

void WebEngineDesignSurface::installStaleScripts()
{
    if (std::exchange(scriptsStale_, false))
        installDesignScripts(page(), showDetails_, showBorders_, lazyLayout_);
}

void WebEngineDesignSurface::queueDisplayChanged()
{
    if (displayChangeQueued_)
        return;
    displayChangeQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        displayChangeQueued_ = false;
        emit displayChanged();
    });
}

void WebEngineDesignSurface::noteRelease(ReleaseWait& wait)
{
    ++wait.unseen;
    confirmRelease(wait);
}

// A button's or a key's release reaches the page on the engine's own path,
// which a read asked for meanwhile may overtake: a click or a key is told
// of once the page has handled every release of its kind sent to it, so
// that whoever hears of it reads the selection it made. A page that cannot
// say (no library in it) or does not see a release (one that ended a drag)
// holds it back for a moment at most.
void WebEngineDesignSurface::confirmRelease(ReleaseWait& wait)
{
    if (!view_ || wait.asked > wait.answered)
        return;
    const int ask = ++wait.asked;
    const QPointer<WebEngineDesignSurface> self(this);
    ReleaseWait* waiting = &wait;
    page()->runJavaScript(designLibraryCall(QStringLiteral("takeReleases"), {wait.kind}),
                          QWebEngineScript::ApplicationWorld,
                          [self, waiting, ask](const QVariant& seen) {
                              if (self)
                                  self->releasesSeen(*waiting, ask, seen);
                          });
    // An engine that never answers (its process gone) counts as one that
    // cannot say.
    QTimer::singleShot(callTimeoutMs_, this,
                       [this, waiting, ask] { releasesSeen(*waiting, ask, QVariant()); });
}

void WebEngineDesignSurface::releasesSeen(ReleaseWait& wait, int ask, const QVariant& seen)
{
    if (ask <= wait.answered)
        return;
    wait.answered = ask;
    bool counted = false;
    const int count = seen.toInt(&counted);
    // A page that cannot say is taken to have seen them all.
    wait.unseen = counted ? wait.unseen - count : 0;
    if (wait.unseen > 0 && ++wait.checks < kReleaseChecks) {
        ReleaseWait* waiting = &wait;
        QTimer::singleShot(kReleaseCheckMs, this, [this, waiting] { confirmRelease(*waiting); });
        return;
    }
    wait.unseen = 0;
    wait.checks = 0;
    emit(this->*wait.told)();
}

void WebEngineDesignSurface::queueSignal(void (DesignSurface::*signal)())
{
    QMetaObject::invokeMethod(
        this, [this, signal] { emit(this->*signal)(); }, Qt::QueuedConnection);
}

}
