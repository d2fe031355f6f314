#include "app/widgets/DesignSurfaceReserve.h"

#include "base/Wait.h"
#include "platform/ComponentFactory.h"

#include <QTimer>
#include <QWidget>

#include <utility>

namespace ink {

namespace {
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
}

void DesignSurfaceReserve::fillAfter(int ms)
{
    if (!designSurfacePrepared() || palette_)
        timer_->start(ms);
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
