#include "app/widgets/DesignSurfaceReserve.h"

#include "base/Wait.h"
#include "platform/ComponentFactory.h"

#include <QEvent>
#include <QTimer>
#include <QWindow>
#include <QWidget>

#include <utility>

namespace ink {

namespace {
// When the design surface for the next document window is made ahead:
// soon after start-up's first paint (the user's first page opens at once;
// made before that paint, the surface would hold it back),
// and after a new window has started loading its page (either way only
// once no page is loading).
constexpr int kAfterStartMs = 100;
constexpr int kAfterNewWindowMs = 300;
// How often a load under way, or the next piece of work, is looked at.
constexpr int kRetryMs = 300;
}

DesignSurfaceReserve::DesignSurfaceReserve(QWidget* host, std::function<bool()> loading,
                                           std::function<void()> palette)
    : QObject(host),
      host_(host),
      loading_(std::move(loading)),
      palette_(std::move(palette)),
      timer_(new QTimer(this))
{
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &DesignSurfaceReserve::fill);
    host_->installEventFilter(this);
}

void DesignSurfaceReserve::fillAfter(int ms)
{
    if (workLeft())
        timer_->start(ms);
}

void DesignSurfaceReserve::fillAfterStart()
{
    // Timed from the window's first paint.
    if (!workLeft())
        return;
    if (hostOnScreen())
        timer_->start(kAfterStartMs);
    else
        awaitingScreen_ = true;
}

void DesignSurfaceReserve::fillAfterNewWindow()
{
    fillAfter(kAfterNewWindowMs);
}

bool DesignSurfaceReserve::workLeft() const
{
    return !designSurfacePrepared() || palette_;
}

bool DesignSurfaceReserve::hostOnScreen() const
{
    const QWindow* window = host_->window()->windowHandle();
    return window && window->isExposed();
}

bool DesignSurfaceReserve::eventFilter(QObject* watched, QEvent* event)
{
    // A window that is painted is on screen: the work waits a little longer
    // for what it shows first to be drawn in full.
    if (watched == host_ && event->type() == QEvent::Paint && std::exchange(awaitingScreen_, false))
        timer_->start(kAfterStartMs);
    return false;
}

void DesignSurfaceReserve::loadPaletteNow()
{
    if (auto palette = std::exchange(palette_, nullptr))
        palette();
}

void DesignSurfaceReserve::fill()
{
    // Not from inside a wait of another handler, nor while a page loads.
    if (NestedEventLoop::depth() > 0 || (loading_ && loading_())) {
        timer_->start(kRetryMs);
        return;
    }
    // Starting the engine holds the window for a while: not before the
    // window's first paint, and not right on it either, so that what the
    // window shows first is drawn in full.
    if (!hostOnScreen()) {
        awaitingScreen_ = true;
        return;
    }
    if (!designSurfacePrepared()) {
        prepareDesignSurface(host_);
        // The palette's page loads once the surface has been made ready.
        if (palette_)
            timer_->start(kRetryMs);
        return;
    }
    loadPaletteNow();
}

}
