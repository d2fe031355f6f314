#include "base/ScreenFit.h"

#include <algorithm>

namespace ink {

namespace {

// The start of a span of `length` moved into [areaStart, areaStart + areaLength).
int startWithin(int start, int length, int areaStart, int areaLength)
{
    const int last = areaStart + areaLength - length;
    return std::max(areaStart, std::min(start, last));
}

}

QRect frameWithin(const QRect& frame, const QRect& area)
{
    if (!area.isValid() || !frame.isValid())
        return frame;
    const QSize size = frame.size().boundedTo(area.size());
    const int x = startWithin(frame.x(), size.width(), area.x(), area.width());
    const int y = startWithin(frame.y(), size.height(), area.y(), area.height());
    return QRect(QPoint(x, y), size);
}

QSize clientSizeWithin(const QRect& area, const QMargins& margins)
{
    const QRect inner = area.marginsRemoved(margins);
    return QSize(std::max(inner.width(), 0), std::max(inner.height(), 0));
}

}
