#include "platform/widgets/WebEnginePreviewBrowser.h"

#include "platform/widgets/WebEngineInputWatch.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTimer>
#include <QWebEngineView>
#include <memory>

namespace ink {

namespace {

// Printing a long page may take a while; a stuck engine must not hang us.
constexpr int kPrintTimeoutMs = 60000;

}

WebEnginePreviewBrowser::WebEnginePreviewBrowser(QWidget* parent)
    : PreviewBrowser(parent)
    , view_(new QWebEngineView(parent))
{
    connect(view_, &QWebEngineView::urlChanged, this, [this](const QUrl& url) {
        if (!url.isEmpty())
            location_ = url;
    });
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
    view_->load(location_);
}

void WebEnginePreviewBrowser::refresh()
{
    view_->reload();
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

// The engine prints in the background; the printer must live until it
// reports the end.
void WebEnginePreviewBrowser::print()
{
    auto* printer = new QPrinter(QPrinter::HighResolution);
    QPrintDialog dialog(printer, view_);
    if (dialog.exec() != QDialog::Accepted || !view_) {
        delete printer;
        return;
    }
    auto finished = std::make_shared<QMetaObject::Connection>();
    *finished = connect(view_, &QWebEngineView::printFinished, this, [printer, finished](bool) {
        QObject::disconnect(*finished);
        delete printer;
    });
    view_->print(printer);
}

void WebEnginePreviewBrowser::printPreview()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, view_);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { printAndWait(target); });
    dialog.exec();
}

}
