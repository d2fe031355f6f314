#pragma once
#include <QElapsedTimer>
#include "base/Wait.h"
#include "platform/DesignSurface.h"
#include "platform/widgets/WebEngineSourceWriter.h"

#include <QPointer>
#include <QVariant>

#include <future>
#include <memory>

class QTimer;
class QWebEnginePage;
class QWebEngineView;

namespace ink {

class WebEngineDocumentLoader;
class WebEnginePatchPlanner;
struct SourcePatch;

// The design surface on a QWebEngineView whose page is in design mode.
//
// The page's own scripts are switched off; the surface's script library runs
// in the editor's isolated world of each loaded document and does the
// editing, the serialising and the change tracking there.
//
// Every method but queryStateLater() waits for the engine's answer in a
// nested event loop (user input excluded, a few seconds at most); nothing the
// surface does by itself as a load ends waits. None may be called from inside the
// engine's callbacks or signal handlers, where the engine cannot answer: queue
// such work with QTimer::singleShot(0, ...). The surface's own signals are
// all emitted queued, so their handlers may call it freely.
class WebEngineDesignSurface : public DesignSurface {
    Q_OBJECT
public:
    explicit WebEngineDesignSurface(QWidget* parent);
    ~WebEngineDesignSurface() override;

    QWidget* widget() override;

    void loadDocument(const QString& path) override;
    void loadWrittenDocument(const QString& path, const QString& text) override;
    bool busy() const override;
    bool waitUntilLoaded(const std::function<bool()>& stopWaiting = {}) override;
    bool readableWhileLoading() const override;
    bool loadFailed() const override;
    QString failure() const override;

    bool readDocumentHtml(QString* html) override;
    QString documentHtml() override;
    void setDocumentHtml(const QString& html) override;

    void setBaseLocation(const QString& folder) override;
    void setShowDetails(bool on) override;
    void setShowBorders(bool on) override;

    QString execCommand(int id, int option = DesignOpt::Default,
                        const QString& value = QString()) override;
    int queryStatus(int id) override;
    QStringList queryState(const QList<int>& statuses, const QList<int>& getters) override;
    void queryStateLater(const QList<int>& statuses, const QList<int>& getters, QObject* receiver,
                         std::function<void(const QStringList&)> done) override;

    QString title() override;
    bool titleKnown() const override { return titleKnown_ && !busy(); }
    // A script run on the page from outside the surface (the page's own
    // scripts never run) may have changed the document: the next read asks
    // the engine.
    void noteOutsideScript() { noteChange(); }
    QString bgColor() override;
    void setBgColor(const QString& colour) override;
    QString bodyInnerHtml() override;
    QString activeElementInnerHtml() override;

    QString selectionType() override;
    void clearSelection() override;
    QString selectionHtmlText() override;
    QString controlOuterHtml() override;
    void pasteHtml(const QString& html) override;
    void pasteHtmlSelectingInner(const QString& before, const QString& inner,
                                 const QString& after) override;
    bool wrapSelection(const QString& opening, const QString& closing, bool stripBlock) override;
    void applyKeys(const KeySequence& keys) override;
    std::optional<SourceRange> selectionInSource() override;
    bool readDocumentAndSelection(QString* html, std::optional<SourceRange>* selection) override;
    bool selectInSource(const SourceRange& range) override;
    void selectInSourceLater(const SourceRange& range, QObject* receiver,
                             std::function<void(bool)> done) override;

    void setFocus() override;
    QPointF scrollPosition() override;                  // WebEngineDesignScroll.cpp
    void scrollTo(const QPointF& position) override;

    // How long a call, and a read of the whole document, wait for the
    // engine's answer before they count as failed. Tests shorten them.
    void setAnswerTimeouts(int callMs, int readMs);

private:
    QWebEnginePage* page() const;
    QVariant call(const QString& function, const QVariantList& args = {},
                  int timeoutMs = 0, bool* answered = nullptr);
    QString callText(const QString& function, const QVariantList& args = {});
    // The rest of a document read once the engine has described its
    // changes (`changes`, answered or not); `touches` and `landed` as they
    // were before it was asked.
    bool htmlFromChanges(const QVariant& changes, bool answered, int touches, bool landed,
                         QString* html);
    void repairDocument();
    // Sets up the scripts for a document of `size` about to be loaded.
    void prepareLoad(qint64 size);
    bool patchDocument(const QString& path);
    using TreeFuture = std::shared_future<std::shared_ptr<const SourceTree>>;
    void applyPatch(const QByteArray& source, TreeFuture after, const SourcePatch& patch);
    void endPatch(bool laidIn, const QByteArray& source, TreeFuture after, int touches);
    // Loads the file anew in place of an edit that could not be laid in.
    void loadFileAnew(const QString& path, const QString* written = nullptr);
    // A click, a key or a command: during a load the page may now differ
    // from the text it is loading.
    void noteTouch();
    // Something may have changed the document: a key, a click, a command.
    void noteChange() { ++touches_; }
    // The same for what the engine carries out in its own time (input, its
    // clipboard actions): a read made right after may come before it.
    void noteEngineChange();
    // No change carried out by the engine in its own time can still be on
    // its way.
    bool engineChangesLanded() const;
    void onLoadFinished();
    // The title has been read (or given up on) after load number `load`.
    void endLoad(int load, const QVariant& title);
    void titleAnswered(int load, const QVariant& title);

    void runClipboardAction(int id);
    void find(int option, const QString& value);
    void setDisplay(const QString& kind, bool on);
    void installStaleScripts();
    void queueDisplayChanged();
    struct ReleaseWait;
    void noteRelease(ReleaseWait& wait);
    void confirmRelease(ReleaseWait& wait);
    void releasesSeen(ReleaseWait& wait, int ask, const QVariant& seen);
    void queueSignal(void (DesignSurface::*signal)());

    QPointer<QWebEngineView> view_;
    WebEngineDocumentLoader* loader_;
    WebEnginePatchPlanner* patchPlanner_;
    // An edit of the file's text is being laid into the document (see
    // patchDocument): the surface is busy until it is in, or loaded anew.
    bool patching_ = false;
    int patchRun_ = 0;
    QString patchPath_;
    bool touchedWhilePatching_ = false;
    WebEngineSourceWriter sourceWriter_;
    // Shown while a load runs in the background.
    std::unique_ptr<WaitNotice> loadNotice_;
    QString baseFolder_;
    bool showDetails_ = false;
    bool showBorders_ = false;
    bool displayChangeQueued_ = false;
    // The scripts documents are created with lag behind the display wanted.
    bool scriptsStale_ = false;
    // A document of this program's has been loaded: before that, the page
    // holds the engine's empty start page, which only a script call made
    // for it would have to set up.
    bool everLoaded_ = false;
    // The user clicked or typed in the view, or a command ran, while a load
    // was under way: the page may differ from the text it is loading.
    bool touchedWhileLoading_ = false;
    // Counts what may have changed the document (see noteChange). While it
    // stands at syncedAt_, the document is known to be its loaded text
    // (laid in, or read back unchanged since) without asking the engine.
    int touches_ = 0;
    int syncedAt_ = -1;
    // Since the last change the engine carries out in its own time.
    QElapsedTimer sinceEngineChange_;
    // The document's title, read as its load ended; the load counts as
    // ended once it has come.
    QString title_;
    bool titleKnown_ = false;
    bool readingTitle_ = false;
    int loadsFinished_ = 0;
    bool lazyLayout_ = false;
    int callTimeoutMs_;
    int readTimeoutMs_;
    QString readFailure_;
    // The detail display changed while a load was under way.
    bool displayPending_ = false;
    // Runs out when a load has not moved on for a long while.
    QTimer* stallTimer_;
    // Releases of one kind sent to the page that it has not yet said it
    // handled (see confirmRelease), and the asking after them.
    struct ReleaseWait {
        QString kind;                   // the page's name for them
        void (DesignSurface::*told)();  // told once the page has seen them
        int unseen = 0;
        int checks = 0;                 // asked since the last one was told
        int asked = 0;                  // questions asked, and answered or
        int answered = 0;               // given up on
    };
    ReleaseWait clicks_{QStringLiteral("left"), &DesignSurface::clicked};
    ReleaseWait keys_{QStringLiteral("key"), &DesignSurface::keyReleased};
    static constexpr int kReleaseChecks = 50;
    static constexpr int kReleaseCheckMs = 10;
};

}
