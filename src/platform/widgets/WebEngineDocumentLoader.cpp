#include "platform/widgets/WebEngineDocumentLoader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QUrlQuery>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNavigationRequest>
#include <QWebEngineView>

namespace ink {

namespace {

// A load that never ends (a stuck engine) stops counting as busy after this.
constexpr int kWatchdogMs = 30000;

const char* const kLoadKey = "inkpress-load";
const QByteArray kUtf8Bom("\xEF\xBB\xBF");

QString readProgramText(const QString& path)
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

}

WebEngineDocumentLoader::WebEngineDocumentLoader(QWebEngineView* view, QObject* parent)
    : QObject(parent)
    , view_(view)
{
    QWebEnginePage* page = view_->page();
    connect(page, &QWebEnginePage::loadingChanged, this,
            &WebEngineDocumentLoader::onLoadingChanged);
    connect(page, &QWebEnginePage::navigationRequested, this,
            &WebEngineDocumentLoader::onNavigationRequested);
    connect(page, &QWebEnginePage::renderProcessTerminated, this,
            &WebEngineDocumentLoader::onRenderProcessTerminated);
    watchdog_.setSingleShot(true);
    connect(&watchdog_, &QTimer::timeout, this, &WebEngineDocumentLoader::end);
}

WebEngineDocumentLoader::~WebEngineDocumentLoader()
{
    removeTransientFile();
}

void WebEngineDocumentLoader::loadFile(const QString& path)
{
    setLoadedText(readProgramText(path));
    loadedPath_ = path;
    loadedFolder_ = QFileInfo(path).absolutePath();
    start(QUrl::fromLocalFile(path));
}

void WebEngineDocumentLoader::loadHtml(const QString& html, const QString& folder)
{
    removeTransientFile();
    const QString pattern = QStringLiteral("/.inkpress-design-XXXXXX.html");
    QTemporaryFile file(folder + pattern);
    if (folder.isEmpty() || !file.open()) {
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
    loadedFolder_ = folder;
    start(QUrl::fromLocalFile(transientFile_));
}

bool WebEngineDocumentLoader::busy() const
{
    return busy_;
}

const QString& WebEngineDocumentLoader::loadedText() const
{
    return loadedText_;
}

const QString& WebEngineDocumentLoader::loadedDoctype() const
{
    return loadedDoctype_;
}

void WebEngineDocumentLoader::setLoadedText(const QString& text)
{
    loadedText_ = text;
    loadedDoctype_ = leadingDoctype(text);
}

void WebEngineDocumentLoader::start(QUrl url)
{
    ++generation_;
    QUrlQuery query;
    query.addQueryItem(QLatin1String(kLoadKey), QString::number(generation_));
    url.setQuery(query);
    busy_ = true;
    watchdog_.start(kWatchdogMs);
    view_->load(url);
}

bool WebEngineDocumentLoader::isCurrent(const QUrl& url) const
{
    return QUrlQuery(url).queryItemValue(QLatin1String(kLoadKey))
        == QString::number(generation_);
}

// Links, refreshes and dropped files never take the page away.
void WebEngineDocumentLoader::onNavigationRequested(QWebEngineNavigationRequest& request)
{
    if (request.isMainFrame() && !isCurrent(request.url()))
        request.reject();
}

void WebEngineDocumentLoader::onLoadingChanged(const QWebEngineLoadingInfo& info)
{
    if (info.status() != QWebEngineLoadingInfo::LoadStartedStatus && isCurrent(info.url()))
        end();
}

// A page whose engine process died answers nothing, so every call would
// wait out its timeout: the text last loaded is shown again instead (edits
// made since then died with the process).
void WebEngineDocumentLoader::onRenderProcessTerminated(
    QWebEnginePage::RenderProcessTerminationStatus status)
{
    end();
    if (status == QWebEnginePage::NormalTerminationStatus)
        return;
    QTimer::singleShot(0, this, [this] {
        if (loadedPath_.isEmpty() || !QFileInfo::exists(loadedPath_))
            loadHtml(loadedText_, loadedFolder_);
        else
            loadFile(loadedPath_);
    });
}

void WebEngineDocumentLoader::end()
{
    if (!busy_)
        return;
    busy_ = false;
    watchdog_.stop();
    removeTransientFile();
    emit finished();
}

void WebEngineDocumentLoader::removeTransientFile()
{
    if (transientFile_.isEmpty())
        return;
    QFile::remove(transientFile_);
    transientFile_.clear();
}

}
