#include "app/widgets/EarlyInputHold.h"

#include "platform/DesignSurface.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace ink {

namespace {
// A page that never gets ready (its engine process hangs) does not keep the
// keys for ever: they go to the Design view as they would have without the
// hold.
constexpr int kGiveUpMs = 5000;

bool heldKind(QEvent::Type type)
{
    return type == QEvent::KeyPress || type == QEvent::KeyRelease || type == QEvent::InputMethod;
}
}

EarlyInputHold::EarlyInputHold(QWidget* window, QWidget* document, DesignSurface* design)
    : QObject(window), window_(window), document_(document), design_(design), giveUp_(new QTimer(this))
{
    qApp->installEventFilter(this);
    giveUp_->setSingleShot(true);
    connect(giveUp_, &QTimer::timeout, this, &EarlyInputHold::release);
    giveUp_->start(kGiveUpMs);
    connect(design, &DesignSurface::loadFinished, this, &EarlyInputHold::release);
    connect(design, &QObject::destroyed, this, &EarlyInputHold::release);
    if (!design->busy())
        QTimer::singleShot(0, this, &EarlyInputHold::release);
}

EarlyInputHold::~EarlyInputHold()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

void EarlyInputHold::stopCatching()
{
    catching_ = false;
    if (held_.empty())
        release();
}

bool EarlyInputHold::eventFilter(QObject* watched, QEvent* event)
{
    if (!catching_ || releasing_ || !heldKind(event->type()) || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (!window_ || widget->window() != window_)
        return false;
    // Until the new window has the focus, keys bound elsewhere in the main
    // window are the ones typed for the new page too.
    QWidget* view = design_ ? design_->widget() : nullptr;
    const bool inView = view && (widget == view || view->isAncestorOf(widget));
    if (!inView && document_ && document_->isAncestorOf(widget))
        return false;
    held_.push_back({widget, std::unique_ptr<QEvent>(event->clone())});
    return true;
}

void EarlyInputHold::release()
{
    if (releasing_)
        return;
    releasing_ = true;
    catching_ = false;
    qApp->removeEventFilter(this);
    giveUp_->stop();
    // Keys typed into the new page go where typing in it goes now.
    QPointer<QWidget> page;
    if (design_ && design_->widget()->isVisible())
        page = design_->widget()->focusProxy() ? design_->widget()->focusProxy() : design_->widget();
    const QPointer<EarlyInputHold> self(this);
    std::vector<Held> held = std::move(held_);
    held_.clear();
    for (Held& h : held) {
        QWidget* target = page ? page.data() : h.receiver.data();
        if (target)
            QCoreApplication::sendEvent(target, h.event.get());
        if (!self)
            return;
    }
    deleteLater();
}

}
