#include "platform/widgets/WebEnginePreviewBrowser.h"

#include "base/Wait.h"
#include "base/widgets/PrintDialogs.h"
#include "base/widgets/Prompts.h"
#include "platform/widgets/ScriptDialogPage.h"
#include "platform/widgets/WebEngineInputWatch.h"

#include <QElapsedTimer>

#include <QEventLoop>
#include <QFileInfo>
#include <QPrinter>
#include <QTimer>
#include <QWebEngineView>
#include <memory>

namespace ink {

namespace {

// Printing a long page may take a while; a stuck engine must not hang us.
constexpr int kPrintTimeoutMs = 60000;
constexpr int kLoadTimeoutMs = 20000;

}

WebEnginePreviewBrowser::WebEnginePreviewBrowser(QWidget* parent)
    : PreviewBrowser(parent)
    , view_(new QWebEngineView(parent))
    , page_(new ScriptDialogPage(view_))
{
    view_->setPage(page_);
    connect(view_, &QWebEngineView::urlChanged, this, [this](const QUrl& url) {
        if (!url.isEmpty())
            location_ = url;
    });
    connect(view_, &QWebEngineView::loadStarted, this, [this] { loading_ = true; });
    connect(view_, &QWebEngineView::loadFinished, this, [this] { loading_ = false; });
    auto* input = new WebEngineInputWatch(view_);
    connect(input, &WebEngineInputWatch::focusIn, this, &PreviewBrowser::focused);
}

WebEnginePreviewBrowser::~WebEnginePreviewBrowser()
{
    if (view_ && !view_->parent())
        delete view_;
}

QWidget* WebEnginePreviewBrowser::widget()
{
    return view_;
}

void WebEnginePreviewBrowser::navigate(const QString& path)
{
    location_ = QUrl::fromLocalFile(path);
    loading_ = true;
    freshPageAfterStoppedScript();
    page_->startCounting();
    view_->load(location_);
}

void WebEnginePreviewBrowser::refresh()
{
    // A view that never loaded a page does not load on reload.
    if (!view_->url().isEmpty())
        loading_ = true;
    if (freshPageAfterStoppedScript()) {
        view_->load(location_);
        return;
    }
    page_->startCounting();
    view_->reload();
}

// A page whose boxes the user stopped may still run its script in a loop,
// which keeps its engine process busy and would never let the next load
// in: the next page goes to a new page object, and the old one (its
// process with it) is let go.
bool WebEnginePreviewBrowser::freshPageAfterStoppedScript()
{
    if (!page_->dialogsStopped())
        return false;
    ScriptDialogPage* stuck = page_;
    page_ = new ScriptDialogPage(view_);
    view_->setPage(page_);
    stuck->deleteLater();
    return true;
}

QString WebEnginePreviewBrowser::locationName() const
{
    return location_.fileName();
}

QString WebEnginePreviewBrowser::locationPath() const
{
    return location_.isLocalFile() ? location_.toLocalFile() : location_.toString();
}

bool WebEnginePreviewBrowser::printAndWait(QPrinter* printer)
{
    if (!view_)
        return false;
    QEventLoop loop;
    bool printed = false;
    const QMetaObject::Connection done = connect(view_, &QWebEngineView::printFinished, &loop,
                                                 [&loop, &printed](bool success) {
                                                     printed = success;
                                                     loop.quit();
                                                 });
    QTimer::singleShot(kPrintTimeoutMs, &loop, &QEventLoop::quit);
    view_->print(printer);
    loop.exec();
    disconnect(done);
    return printed;
}

void WebEnginePreviewBrowser::waitForLoad()
{
    QElapsedTimer clock;
    clock.start();
    // A page that never finishes loading is printed as far as it came.
    while (loading_ && view_ && clock.elapsed() < kLoadTimeoutMs)
        waitSeconds(0.05);
}

void WebEnginePreviewBrowser::reportFailure(const QString& text)
{
    Prompts::current().warning(view_ ? view_->window() : nullptr, QStringLiteral("Print"), text);
}

// The page asked for last is printed once it has loaded. The engine prints
// in the background; the printer lives until it reports the end.
void WebEnginePreviewBrowser::print()
{
    waitForLoad();
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    if (!view_ || !askPrinter(*printer, view_))
        return;
    waitForLoad();
    if (!view_)
        return;
    auto finished = std::make_shared<QMetaObject::Connection>();
    QPointer<WebEnginePreviewBrowser> self(this);
    *finished = connect(view_, &QWebEngineView::printFinished, this,
                        [self, printer, finished](bool success) {
                            QObject::disconnect(*finished);
                            if (!success || !printerSucceeded(*printer)) {
                                // Reported from the event loop, not from
                                // inside the engine's signal.
                                QTimer::singleShot(0, self, [self] {
                                    if (self)
                                        self->reportFailure(QStringLiteral("The page could not be printed."));
                                });
                            }
                        });
    view_->print(printer.get());
}

void WebEnginePreviewBrowser::printPreview()
{
    waitForLoad();
    if (!view_)
        return;
    QPrinter printer(QPrinter::HighResolution);
    if (!showPrintPreview(printer, view_, [this](QPrinter* target) { return printAndWait(target); }))
        reportFailure(QStringLiteral("The print preview could not show the page."));
}

}
