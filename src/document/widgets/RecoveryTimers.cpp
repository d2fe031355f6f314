#include "document/widgets/RecoveryTimers.h"

#include <algorithm>

namespace ink {

RecoveryTimers::RecoveryTimers(std::function<void(int)> due, QObject* parent)
    : QObject(parent), due_(std::move(due))
{
}

void RecoveryTimers::touch(int slot)
{
    Pending& pending = pending_[slot];
    if (!pending.timer) {
        pending.timer = new QTimer(this);
        pending.timer->setSingleShot(true);
        connect(pending.timer, &QTimer::timeout, this, [this, slot] { due_(slot); });
    }
    if (!pending.timer->isActive()) {
        pending.since.start();
        pending.timer->start(QuietMs);
        return;
    }
    // Typing goes on: wait for a pause, but not past the latest moment.
    const qint64 left = LatestMs - pending.since.elapsed();
    pending.timer->start(int(std::clamp<qint64>(left, 0, QuietMs)));
}

void RecoveryTimers::forget(int slot)
{
    const auto it = pending_.find(slot);
    if (it == pending_.end())
        return;
    // Possibly called from the timer's own timeout.
    it->timer->stop();
    it->timer->deleteLater();
    pending_.erase(it);
}

}
