#include "app/FloatingPlacement.h"

#include "base/Twips.h"

#include <algorithm>

namespace ink {

namespace {

// How much of the title bar must show on some screen for the user to grab it.
constexpr int GrabWidth = 40;
constexpr int GrabHeight = 16;

bool titleBarShown(const QRect& frame, const QList<QRect>& screens)
{
    const QRect title(frame.x(), frame.y(), frame.width(), GrabHeight);
    for (const QRect& screen : screens) {
        const QRect shown = screen.intersected(title);
        if (shown.width() >= std::min(GrabWidth, frame.width()) && shown.height() >= GrabHeight)
            return true;
    }
    return false;
}

}

QRect floatingWindowFrame(const FloatingWindowSettings& stored, const QList<QRect>& screens,
                          const QRect& fallback)
{
    const int w = twipsToPixels(stored.width);
    const int h = twipsToPixels(stored.height);
    if (w < 50 || h < 20 || w > 20000 || h > 20000)
        return fallback;
    QRect frame(twipsToPixels(stored.left), twipsToPixels(stored.top), w, h);
    if (screens.isEmpty() || titleBarShown(frame, screens))
        return frame;
    const QRect screen = screens.front();
    frame.setSize(frame.size().boundedTo(screen.size()));
    frame.moveTopLeft(screen.topLeft() + QPoint(screen.width() / 10, screen.height() / 10));
    if (frame.right() > screen.right())
        frame.moveLeft(screen.right() - frame.width() + 1);
    if (frame.bottom() > screen.bottom())
        frame.moveTop(screen.bottom() - frame.height() + 1);
    return frame;
}

QRect frameBelowTaken(const QRect& frame, const QList<QRect>& taken, int gap)
{
    QRect placed = frame;
    // Each move goes below one frame, so the loop ends after as many moves
    // as there are frames.
    for (qsizetype moves = 0; moves <= taken.size(); ++moves) {
        const auto over = std::find_if(taken.begin(), taken.end(), [&placed](const QRect& other) {
            return other.isValid() && other.intersects(placed);
        });
        if (over == taken.end())
            break;
        placed.moveTop(over->bottom() + 1 + gap);
    }
    return placed;
}

FloatingWindowSettings floatingWindowSettings(const QRect& frame)
{
    FloatingWindowSettings s;
    s.top = pixelsToTwips(frame.y());
    s.left = pixelsToTwips(frame.x());
    s.width = pixelsToTwips(frame.width());
    s.height = pixelsToTwips(frame.height());
    return s;
}

}
