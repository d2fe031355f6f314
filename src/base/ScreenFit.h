#pragma once
#include <QMargins>
#include <QRect>

namespace ink {

// Where a window's frame goes so that all of it shows on a screen: shrunk to
// `area` (the screen's available geometry) when larger, then moved as little
// as needed to lie within it. A frame that already lies within comes back as
// it is, so a placement the program chose (a quarter of the screen, below
// another window) is kept wherever the screen allows it.
QRect frameWithin(const QRect& frame, const QRect& area);

// The largest client size whose frame, with `margins` around it, fits `area`.
QSize clientSizeWithin(const QRect& area, const QMargins& margins);

}
