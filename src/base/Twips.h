#pragma once
#include <cmath>

namespace ink {

// Window geometry is kept in twips: 1440 per inch, 15 per pixel at 96 dpi.
constexpr int TwipsPerPixel = 15;

inline int twipsToPixels(double twips) { return static_cast<int>(std::lround(twips / TwipsPerPixel)); }
inline double pixelsToTwips(int pixels) { return static_cast<double>(pixels) * TwipsPerPixel; }

}
