#pragma once
#include "base/SettingsFiles.h"

#include <QList>
#include <QRect>

namespace ink {

// The frame of a floating tool bar window from its settings file, in pixels.
// A frame never stored (or of a size no window can take) gives `fallback`.
// A frame that no screen shows enough of to grab its title bar (a monitor
// was removed, the screen got smaller) comes back onto the first screen,
// shrunk to fit it when needed.
QRect floatingWindowFrame(const FloatingWindowSettings& stored, const QList<QRect>& screens,
                          const QRect& fallback);

// `frame` moved down, below each of the `taken` frames it overlaps, with
// `gap` pixels between: where a window opens that would otherwise open on top
// of another one.
QRect frameBelowTaken(const QRect& frame, const QList<QRect>& taken, int gap);

// The settings that keep `frame`.
FloatingWindowSettings floatingWindowSettings(const QRect& frame);

}
