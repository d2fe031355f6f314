#include "app/widgets/IdleReserve.h"

#include "base/Wait.h"

#include <QEvent>
#include <QTimer>
#include <QWindow>
#include <QWidget>

#include <utility>

namespace ink {

namespace {
// When the next document window is made ahead: soon after start-up's first
// paint (the user's first page opens at once; made before that paint, the
// window would hold it back), and after a new window has started loading
// its page (either way only once no page is loading).
constexpr int kAfterStartMs = 100;
constexpr int kAfterNewWindowMs = 300;
// How often a load under way, or the next piece of work, is looked at.
constexpr int kRetryMs = 300;
}

IdleReserve::IdleReserve(QWidget* host, Work work)
    : QObject(host), host_(host), work_(std::move(work)), timer_(new QTimer(this))
{
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &IdleReserve::fill);
    host_->installEventFilter(this);
}

void IdleReserve::fillAfter(int ms)
{
    if (workLeft())
        timer_->start(ms);
}

void IdleReserve::fillAfterStart()
{
    // Timed from the window's first paint.
    if (!workLeft())
        return;
    if (hostOnScreen())
        timer_->start(kAfterStartMs);
    else
        awaitingScreen_ = true;
}

void IdleReserve::fillAfterNewWindow()
{
    fillAfter(kAfterNewWindowMs);
}

bool IdleReserve::workLeft() const
{
    return !work_.windowReady() || work_.palette;
}

bool IdleReserve::hostOnScreen() const
{
    const QWindow* window = host_->window()->windowHandle();
    return window && window->isExposed();
}

bool IdleReserve::eventFilter(QObject* watched, QEvent* event)
{
    // A window that is painted is on screen: the work waits a little longer
    // for what it shows first to be drawn in full.
    if (watched == host_ && event->type() == QEvent::Paint && std::exchange(awaitingScreen_, false))
        timer_->start(kAfterStartMs);
    return false;
}

void IdleReserve::loadPaletteNow()
{
    if (auto palette = std::exchange(work_.palette, nullptr))
        palette();
}

void IdleReserve::fill()
{
    // Not from inside a wait of another handler, nor while a page loads.
    if (NestedEventLoop::depth() > 0 || work_.loading()) {
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
    if (!work_.windowReady()) {
        work_.makeWindow();
        // The palette's page loads once the window has been made ready.
        if (work_.palette)
            timer_->start(kRetryMs);
        return;
    }
    loadPaletteNow();
}

}
