#pragma once

class QWidget;

namespace ink {

// Rules every top-level window of the program follows, installed once for
// the whole application (a second call does nothing):
// - a window shown by the program lies wholly on its screen: one larger than
//   the screen's free area is shrunk to it (down to its minimum size), and
//   one placed partly off the screen is moved back onto it, keeping its
//   placement where the screen allows;
// - a plain tool window (a floating bar, a property window) is a window on
//   the accessibility bus, named by its title, not an anonymous pane;
// - the text field of an editable combo box in a window being shown is named
//   as its combo box when the program gave it no name of its own.
void installWindowRules();

// Applies the screen rule to `window` now: for windows that move or grow
// while they are shown.
void keepOnScreen(QWidget* window);

}
