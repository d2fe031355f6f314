#include "dialogs/widgets/DialogPreview.h"

#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace ink {

DialogPreview::DialogPreview(const QString& pageFolder, QWidget* parent)
    : QWidget(parent), folder_(pageFolder), view_(new QWebEngineView(this))
{
    setObjectName(QStringLiteral("WebBrowser1"));
    setAccessibleName(QStringLiteral("Preview"));
    view_->setAccessibleName(QStringLiteral("Preview"));
    // A preview shows markup; it never runs the scripts of the markup.
    view_->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    view_->setContextMenuPolicy(Qt::NoContextMenu);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    connect(view_, &QWebEngineView::loadFinished, this, &DialogPreview::loadFinished);
}

DialogPreview::~DialogPreview()
{
    // Stop the engine reading the file before it goes.
    view_->stop();
    file_.remove();
}

void DialogPreview::showText(const QString& previewText)
{
    loaded_ = false;
    pending_ = previewText;
    const QString path = file_.write(folder_, previewText);
    if (path.isEmpty()) {
        emit loaded(false);
        return;
    }
    view_->load(QUrl::fromLocalFile(path));
}

void DialogPreview::loadFinished(bool ok)
{
    // A load replaced by a newer one reports failure; only the last counts.
    if (ok) {
        loaded_ = true;
        shown_ = pending_;
    }
    emit loaded(ok);
}

}
