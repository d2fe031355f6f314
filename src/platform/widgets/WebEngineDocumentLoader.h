#pragma once
#include <QObject>
#include <QString>
#include <QUrl>
#include <QWebEnginePage>

#include <optional>

class QWebEngineLoadingInfo;
class QWebEngineNavigationRequest;
class QWebEngineView;

namespace ink {

// Loads the design surface's documents into its view and keeps the text
// each was loaded from. Each load carries its number in the URL's query
// (files ignore it), so that the end of an earlier load of the same file is
// never taken for the end of this one; the page is never navigated to
// anything else. A page whose engine process dies is loaded again.
//
// A load is busy until the engine reports its real end, however long a big
// page takes to parse: the text of a page still loading is the view's to
// give, never the text it was loaded from. A load that fails leaves the
// engine's error page in the view, which is no part of the page: failed()
// says so until the next load.
class WebEngineDocumentLoader : public QObject {
    Q_OBJECT
public:
    WebEngineDocumentLoader(QWebEngineView* view, QObject* parent);
    ~WebEngineDocumentLoader() override;

    // The file's text as this program writes its files: UTF-8 behind a BOM,
    // the one CR LF at its end not part of the page.
    void loadFile(const QString& path);
    // The same for a file this program has just written from `text` as it
    // writes its files: the text is taken as it is, not read back.
    void loadWrittenFile(const QString& path, const QString& text);
    // Loads the HTML through a private file in `folder` (the system's
    // temporary folder when that fails), so that relative references
    // resolve there and there is no size limit.
    void loadHtml(const QString& html, const QString& folder);

    bool busy() const;
    // The last load ended without the page (the engine could not read it).
    bool failed() const;
    QString failureText() const;
    // 0 to 100 while busy.
    int progress() const;
    const QString& loadedText() const;
    // The DOCTYPE line the loaded text starts with, "" when none.
    const QString& loadedDoctype() const;
    // The file the last load read ("" for HTML given directly).
    const QString& loadedPath() const;
    // The engine parsed the loaded text with a CR LF after it: its file
    // ended with the line end that the loaded text leaves out.
    bool loadedWithLineEnd() const;
    // The file's text, as the engine reads it (without the BOM).
    static std::optional<QByteArray> readSource(const QString& path);
    // The document stands for `source`, the text of the loaded file: as a
    // load reads it, or a later text it was brought in line with in place.
    void adoptSource(const QByteArray& source);

signals:
    // A load ended (also when it failed). Emitted inside the engine's
    // signal handlers: receivers must not wait for the engine.
    void finished();
    void progressChanged(int percent);

private:
    void setLoadedText(const QString& text);
    void startFile(const QString& path);
    void start(QUrl url);
    bool isCurrent(const QUrl& url) const;
    void onLoadingChanged(const QWebEngineLoadingInfo& info);
    void onNavigationRequested(QWebEngineNavigationRequest& request);
    void onRenderProcessTerminated(QWebEnginePage::RenderProcessTerminationStatus status);
    void end(bool failed = false, const QString& why = QString());
    void removeTransientFile();

    QWebEngineView* view_;
    QString loadedText_;
    QString loadedDoctype_;
    // The file ended with the CR LF that the loaded text leaves out.
    bool loadedLineEnd_ = false;
    // Where the last load came from: its file, or the folder of its HTML.
    QString loadedPath_;
    QString loadedFolder_;
    // The private file loadHtml() writes; removed once it has loaded.
    QString transientFile_;
    int generation_ = 0;
    bool busy_ = false;
    bool failed_ = false;
    QString failureText_;
    int progress_ = 0;
};

}
