#include "platform/widgets/WebEngineDesignSurface.h"

#include "platform/widgets/WebEngineDesignLibrary.h"
#include "platform/widgets/WebEngineInputWatch.h"
#include "platform/widgets/WebEngineScriptWait.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QInputDialog>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QUrlQuery>
#include <QVariantMap>
#include <QWebEngineFindTextResult>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNavigationRequest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace ink {

namespace {

// Long enough for any single call on a large page, short enough that a
// stuck engine never hangs the program.
constexpr int kCallTimeoutMs = 8000;
constexpr int kLoadWatchdogMs = 30000;

// Each load carries its number in the URL's query (files ignore it), so
// the end of an earlier load of the same file is never taken for this one.
const char* const kLoadKey = "inkpress-load";

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

// The text as this program writes its files: UTF-8 behind a BOM, ending
// with one CR LF that is not part of the page.
QString readLoadedText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QByteArray bytes = file.readAll();
    if (bytes.startsWith(kUtf8Bom))
        bytes.remove(0, kUtf8Bom.size());
    if (bytes.endsWith("\r\n"))
        bytes.chop(2);
    return QString::fromUtf8(bytes);
}

QString leadingDoctype(const QString& text)
{
    static const QRegularExpression doctype(QStringLiteral("^\\s*(<!DOCTYPE[^>]*>)"),
                                            QRegularExpression::CaseInsensitiveOption);
    return doctype.match(text).captured(1);
}

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

bool isGetter(int id)
{
    return id == DesignCmd::GetFontName || id == DesignCmd::GetFontSize
        || id == DesignCmd::GetForeColor;
}

}

WebEngineDesignSurface::WebEngineDesignSurface(QWidget* parent)
    : DesignSurface(parent)
    , view_(new QWebEngineView(parent))
{
    page()->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    installPageScripts();
    connect(page(), &QWebEnginePage::loadingChanged, this,
            &WebEngineDesignSurface::onLoadingChanged);
    connect(page(), &QWebEnginePage::navigationRequested, this,
            &WebEngineDesignSurface::onNavigationRequested);
    connect(page(), &QWebEnginePage::renderProcessTerminated, this,
            &WebEngineDesignSurface::onRenderProcessTerminated);

    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        const QPoint global = view_->mapToGlobal(pos);
        QMetaObject::invokeMethod(
            this, [this, global] { emit contextMenuRequested(global); }, Qt::QueuedConnection);
    });

    auto* input = new WebEngineInputWatch(view_);
    connect(input, &WebEngineInputWatch::leftButtonReleased, this, [this] {
        queueSignal(&DesignSurface::clicked);
        queueDisplayChanged();
    });
    connect(input, &WebEngineInputWatch::keyReleased, this, [this] {
        queueSignal(&DesignSurface::keyReleased);
        queueDisplayChanged();
    });
    connect(input, &WebEngineInputWatch::focusOut, this,
            [this] { queueSignal(&DesignSurface::focusLost); });

    loadWatchdog_.setSingleShot(true);
    connect(&loadWatchdog_, &QTimer::timeout, this, [this] { endLoad(generation_); });
}

WebEngineDesignSurface::~WebEngineDesignSurface()
{
    removeTransientFile();
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

QVariant WebEngineDesignSurface::call(const QString& function, const QVariantList& args)
{
    const QString script = designLibraryCall(function, args);
    QVariant answer = runScriptAndWait(page(), script, kCallTimeoutMs);
    if (isMissingLibraryAnswer(answer)) {
        repairDocument();
        answer = runScriptAndWait(page(), script, kCallTimeoutMs);
    }
    return answer;
}

// A document that came without the library (the page's first, empty one):
// set it up as a loaded one would have been.
void WebEngineDesignSurface::repairDocument()
{
    runScriptAndWait(page(), createScript() + QStringLiteral("\ninkSurface.prepare();"),
                     kCallTimeoutMs);
}

QString WebEngineDesignSurface::callText(const QString& function, const QVariantList& args)
{
    const QVariant answer = call(function, args);
    return answer.userType() == QMetaType::QString ? answer.toString() : QString();
}

QString WebEngineDesignSurface::createScript() const
{
    return designLibrarySource()
        + QStringLiteral("\ninkSurface.create({details: %1, borders: %2});")
              .arg(showDetails_ ? "true" : "false", showBorders_ ? "true" : "false");
}

// Every document gets the library and design mode as it is created, before
// it is parsed (so it is laid out once, editable), and starts its change
// tracking once parsed. Neither needs the page's scripts to be enabled.
void WebEngineDesignSurface::installPageScripts()
{
    QWebEngineScriptCollection& scripts = page()->scripts();
    for (const QString& name : {QStringLiteral("inkpress-create"), QStringLiteral("inkpress-ready")}) {
        for (const QWebEngineScript& old : scripts.find(name))
            scripts.remove(old);
    }
    QWebEngineScript create;
    create.setName(QStringLiteral("inkpress-create"));
    create.setWorldId(QWebEngineScript::ApplicationWorld);
    create.setInjectionPoint(QWebEngineScript::DocumentCreation);
    create.setRunsOnSubFrames(false);
    create.setSourceCode(createScript());
    scripts.insert(create);

    QWebEngineScript ready;
    ready.setName(QStringLiteral("inkpress-ready"));
    ready.setWorldId(QWebEngineScript::ApplicationWorld);
    ready.setInjectionPoint(QWebEngineScript::DocumentReady);
    ready.setRunsOnSubFrames(false);
    ready.setSourceCode(QStringLiteral("if (window.inkSurface) inkSurface.prepare();"));
    scripts.insert(ready);
}

void WebEngineDesignSurface::setLoadedText(const QString& text)
{
    loadedText_ = text;
    loadedDoctype_ = leadingDoctype(text);
}

void WebEngineDesignSurface::loadDocument(const QString& path)
{
    setLoadedText(readLoadedText(path));
    loadedPath_ = path;
    startLoad(QUrl::fromLocalFile(path));
}

void WebEngineDesignSurface::startLoad(QUrl url)
{
    ++generation_;
    QUrlQuery query;
    query.addQueryItem(QLatin1String(kLoadKey), QString::number(generation_));
    url.setQuery(query);
    busy_ = true;
    loadWatchdog_.start(kLoadWatchdogMs);
    view_->load(url);
}

bool WebEngineDesignSurface::isCurrentLoad(const QUrl& url) const
{
    return QUrlQuery(url).queryItemValue(QLatin1String(kLoadKey))
        == QString::number(generation_);
}

// The surface shows only what it loads itself: links, refreshes and dropped
// files never take the page away.
void WebEngineDesignSurface::onNavigationRequested(QWebEngineNavigationRequest& request)
{
    if (request.isMainFrame() && !isCurrentLoad(request.url()))
        request.reject();
}

void WebEngineDesignSurface::onLoadingChanged(const QWebEngineLoadingInfo& info)
{
    if (info.status() != QWebEngineLoadingInfo::LoadStartedStatus && isCurrentLoad(info.url()))
        endLoad(generation_);
}

// A page whose engine process died answers nothing: every call would wait
// out its timeout. The text last loaded is shown again instead (the Design
// view's edits since then are lost with the process).
void WebEngineDesignSurface::onRenderProcessTerminated(
    QWebEnginePage::RenderProcessTerminationStatus status)
{
    endLoad(generation_);
    if (status == QWebEnginePage::NormalTerminationStatus)
        return;
    QTimer::singleShot(0, this, [this] {
        const QString base = baseFolder_;
        if (!loadedPath_.isEmpty())
            baseFolder_ = QFileInfo(loadedPath_).absolutePath();
        setDocumentHtml(loadedText_);
        baseFolder_ = base;
    });
}

void WebEngineDesignSurface::endLoad(int generation)
{
    if (generation != generation_ || !busy_)
        return;
    busy_ = false;
    loadWatchdog_.stop();
    removeTransientFile();
    if (displayPending_) {
        // Possibly inside the engine's signal: only an asynchronous script.
        displayPending_ = false;
        page()->runJavaScript(designLibraryCall(QStringLiteral("setDisplay"),
                                                {QStringLiteral("details"), showDetails_})
                                  + designLibraryCall(QStringLiteral("setDisplay"),
                                                      {QStringLiteral("borders"), showBorders_}),
                              QWebEngineScript::ApplicationWorld);
    }
    queueSignal(&DesignSurface::loadFinished);
}

bool WebEngineDesignSurface::busy() const
{
    return busy_;
}

void WebEngineDesignSurface::removeTransientFile()
{
    if (transientFile_.isEmpty())
        return;
    QFile::remove(transientFile_);
    transientFile_.clear();
}

QString WebEngineDesignSurface::documentHtml()
{
    if (busy_)
        return loadedText_;
    const QVariant answer = call(QStringLiteral("documentHtml"), {loadedDoctype_});
    return answer.userType() == QMetaType::QString ? answer.toString() : loadedText_;
}

// The HTML goes through a private file beside the page, so that there is no
// size limit and relative references resolve as in the page itself.
void WebEngineDesignSurface::setDocumentHtml(const QString& html)
{
    removeTransientFile();
    const QString pattern = QStringLiteral("/.inkpress-design-XXXXXX.html");
    QTemporaryFile file(baseFolder_ + pattern);
    if (baseFolder_.isEmpty() || !file.open()) {
        file.setFileTemplate(QDir::tempPath() + pattern);
        if (!file.open())
            return;
    }
    file.setAutoRemove(false);
    file.write(kUtf8Bom);
    file.write(html.toUtf8());
    file.close();
    transientFile_ = file.fileName();
    setLoadedText(html);
    loadedPath_.clear();
    startLoad(QUrl::fromLocalFile(transientFile_));
}

void WebEngineDesignSurface::setBaseLocation(const QString& folder)
{
    baseFolder_ = folder;
}

void WebEngineDesignSurface::setShowDetails(bool on)
{
    showDetails_ = on;
    setDisplay(QStringLiteral("details"), on);
}

void WebEngineDesignSurface::setShowBorders(bool on)
{
    showBorders_ = on;
    setDisplay(QStringLiteral("borders"), on);
}

// Documents loaded from now on are created with the new display; a load
// under way gets it when it ends.
void WebEngineDesignSurface::setDisplay(const QString& kind, bool on)
{
    installPageScripts();
    if (busy_)
        displayPending_ = true;
    else
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

void WebEngineDesignSurface::runClipboardAction(int id)
{
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

QString WebEngineDesignSurface::title()
{
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

void WebEngineDesignSurface::applyKeys(const KeySequence& keys)
{
    QStringList names;
    for (Key key : keys)
        names << keyName(key);
    call(QStringLiteral("keys"), {names});
    queueDisplayChanged();
}

void WebEngineDesignSurface::setFocus()
{
    view_->setFocus();
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

void WebEngineDesignSurface::queueSignal(void (DesignSurface::*signal)())
{
    QMetaObject::invokeMethod(
        this, [this, signal] { emit(this->*signal)(); }, Qt::QueuedConnection);
}

}
