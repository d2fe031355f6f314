#include "app/widgets/DesignSurfaceReserve.h"

#include "base/Wait.h"
#include "platform/ComponentFactory.h"

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
// How often a host window not yet on screen is looked at.
constexpr int kScreenCheckMs = 20;
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
}

void DesignSurfaceReserve::fillAfter(int ms)
{
    if (!designSurfacePrepared() || palette_)
        timer_->start(ms);
}

void DesignSurfaceReserve::fillAfterStart()
{
    // Timed from the first look that finds the window on screen.
    awaitingScreen_ = true;
    fillAfter(kScreenCheckMs);
}

void DesignSurfaceReserve::fillAfterNewWindow()
{
    fillAfter(kAfterNewWindowMs);
}

bool DesignSurfaceReserve::hostOnScreen() const
{
    const QWindow* window = host_->window()->windowHandle();
    return window && window->isExposed();
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
        timer_->start(kScreenCheckMs);
        return;
    }
    if (std::exchange(awaitingScreen_, false)) {
        timer_->start(kAfterStartMs);
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
