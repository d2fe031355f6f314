#include "app/widgets/FloatingToolWindow.h"

#include "app/FloatingPlacement.h"
#include "app/widgets/ToolStrip.h"
#include "base/SettingsFiles.h"
#include "base/Twips.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <algorithm>
#include <QVBoxLayout>

namespace ink {

namespace {
// Room the window keeps below its strip, by which rule it is applied.
constexpr int StripChangedExtraTwips = 350;
constexpr int WindowResizedExtraTwips = 500;
}

FloatingToolWindow::FloatingToolWindow(const QString& name, const QString& caption,
                                       int settingsNumber, QWidget* owner)
    : QWidget(owner, Qt::Tool), settingsNumber_(settingsNumber)
{
    setObjectName(name);
    setWindowTitle(caption);
    setAccessibleName(caption);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
}

void FloatingToolWindow::setStrip(ToolStrip* strip)
{
    strip_ = strip;
    layout()->addWidget(strip);
    static_cast<QVBoxLayout*>(layout())->addStretch(1);
    strip->installEventFilter(this);
}

void FloatingToolWindow::applyPlacement()
{
    if (placed_)
        return;
    placed_ = true;
    FloatingWindowSettings stored;
    stored.apply(settings::readLines(settings::path(settingsNumber_)));
    QList<QRect> screens;
    for (QScreen* screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    const QWidget* owner = parentWidget();
    const QSize size = sizeHint().expandedTo(QSize(strip_ ? strip_->sizeHint().width() + 8 : 300, 0));
    const QPoint near = owner ? owner->geometry().topLeft() + QPoint(60, 120) : QPoint(100, 100);
    // Never stored: the window opens below a floating bar already placed, not
    // on top of it.
    QList<QRect> taken;
    if (owner) {
        for (const FloatingToolWindow* other : owner->findChildren<FloatingToolWindow*>(Qt::FindDirectChildrenOnly)) {
            if (other != this && other->placed_)
                taken << other->frameGeometry();
        }
    }
    const int titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    const QRect fallback = frameBelowTaken(QRect(near, size), taken, titleBar + 8);
    const QRect frame = floatingWindowFrame(stored, screens, fallback);
    resize(frame.size());
    move(frame.topLeft());
}

void FloatingToolWindow::savePlacement() const
{
    if (!placed_)
        return;
    settings::writeLines(settings::path(settingsNumber_),
                         floatingWindowSettings(QRect(pos(), size())).lines());
}

void FloatingToolWindow::closeEvent(QCloseEvent* event)
{
    savePlacement();
    event->accept();
    emit closedByUser();
}

// The two height rules give different heights; each sets the height only
// when it differs, so that neither resize starts the other again. The extra
// room counts the title bar, which the window system adds outside.
void FloatingToolWindow::fitHeight(int extraTwips)
{
    if (!strip_)
        return;
    int titleBar = frameGeometry().height() - height();
    if (titleBar <= 0)
        titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    const int wanted = strip_->height() + std::max(4, twipsToPixels(extraTwips) - titleBar);
    if (height() != wanted)
        resize(width(), wanted);
}

void FloatingToolWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    fitHeight(WindowResizedExtraTwips);
}

bool FloatingToolWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == strip_ && event->type() == QEvent::Resize)
        fitHeight(StripChangedExtraTwips);
    return QWidget::eventFilter(watched, event);
}

}
