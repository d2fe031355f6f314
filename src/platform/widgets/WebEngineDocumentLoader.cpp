#include "platform/widgets/WebEngineDocumentLoader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTimer>
#include <QTemporaryFile>
#include <QUrlQuery>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNavigationRequest>
#include <QWebEngineView>

namespace ink {

namespace {

const char* const kLoadKey = "inkpress-load";
const QByteArray kUtf8Bom("\xEF\xBB\xBF");


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
    connect(page, &QWebEnginePage::loadProgress, this, [this](int percent) {
        if (!busy_ || percent == progress_)
            return;
        progress_ = percent;
        emit progressChanged(percent);
    });
}

WebEngineDocumentLoader::~WebEngineDocumentLoader()
{
    removeTransientFile();
}

std::optional<QByteArray> WebEngineDocumentLoader::readSource(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (bytes.startsWith(kUtf8Bom))
        bytes.remove(0, kUtf8Bom.size());
    return bytes;
}

void WebEngineDocumentLoader::loadFile(const QString& path)
{
    adoptSource(readSource(path).value_or(QByteArray()));
    startFile(path);
}

// Reading a long page back and decoding it costs more than writing it did;
// the text is shared instead. Text that UTF-8 cannot hold as it is (a lone
// surrogate) is read back, as the engine reads it.
void WebEngineDocumentLoader::loadWrittenFile(const QString& path, const QString& text)
{
    if (!QStringView(text).isValidUtf16()) {
        loadFile(path);
        return;
    }
    setLoadedText(text);
    loadedLineEnd_ = true;
    startFile(path);
}

void WebEngineDocumentLoader::startFile(const QString& path)
{
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

bool WebEngineDocumentLoader::failed() const
{
    return failed_;
}

QString WebEngineDocumentLoader::failureText() const
{
    return failureText_;
}

int WebEngineDocumentLoader::progress() const
{
    return busy_ ? progress_ : 100;
}

const QString& WebEngineDocumentLoader::loadedText() const
{
    return loadedText_;
}

const QString& WebEngineDocumentLoader::loadedDoctype() const
{
    return loadedDoctype_;
}

const QString& WebEngineDocumentLoader::loadedPath() const
{
    return loadedPath_;
}

bool WebEngineDocumentLoader::loadedWithLineEnd() const
{
    return loadedLineEnd_;
}

void WebEngineDocumentLoader::setLoadedText(const QString& text)
{
    loadedText_ = text;
    loadedDoctype_ = leadingDoctype(text);
    loadedLineEnd_ = false;
}

void WebEngineDocumentLoader::adoptSource(const QByteArray& source)
{
    const bool lineEnd = source.endsWith("\r\n");
    // Decoded where it lies: a copy of a long page's bytes first would cost
    // as much again.
    setLoadedText(QString::fromUtf8(QByteArrayView(source).first(source.size() - (lineEnd ? 2 : 0))));
    loadedLineEnd_ = lineEnd;
}

void WebEngineDocumentLoader::start(QUrl url)
{
    ++generation_;
    QUrlQuery query;
    query.addQueryItem(QLatin1String(kLoadKey), QString::number(generation_));
    url.setQuery(query);
    busy_ = true;
    failed_ = false;
    failureText_.clear();
    progress_ = 0;
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
    if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus || !isCurrent(info.url()))
        return;
    if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus)
        end();
    else
        end(true, info.errorString().isEmpty() ? QStringLiteral("the load was stopped")
                                               : info.errorString());
}

// A page whose engine process died answers nothing, so every call would
// wait out its timeout: the text last loaded is shown again instead (edits
// made since then died with the process).
void WebEngineDocumentLoader::onRenderProcessTerminated(
    QWebEnginePage::RenderProcessTerminationStatus status)
{
    end(true, QStringLiteral("the page's engine process ended"));
    if (status == QWebEnginePage::NormalTerminationStatus)
        return;
    QTimer::singleShot(0, this, [this] {
        if (loadedPath_.isEmpty() || !QFileInfo::exists(loadedPath_))
            loadHtml(loadedText_, loadedFolder_);
        else
            loadFile(loadedPath_);
    });
}

void WebEngineDocumentLoader::end(bool failed, const QString& why)
{
    if (failed) {
        failed_ = true;
        failureText_ = why;
    }
    if (!busy_)
        return;
    busy_ = false;
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
