#pragma once
#include "colourfont/ColourMarkup.h"
#include "editing/widgets/InsertionEngine.h"

namespace ink {

// The colour combos that write into the page.
enum class ComboHost {
    MainWindow,    // the main window's Formatting strip
    FormattingBar, // the floating Formatting bar
};

// A colour picked in a colour combo (its colour text `colour`).
// Design view: the selection takes the text colour and the page takes the
// focus; after the main window's combo, Tab moves the focus on. Code view: the
// selection is replaced, in one undo step, by <FONT color=c> + the selection +
// </FONT> with the old text selected (the caret before </FONT> when nothing
// was selected); the main window's combo then gives the page the focus back,
// the floating bar's leaves it where it is.
void applyComboColour(const QString& colour, const EditTarget& target,
                      ComboHost host = ComboHost::MainWindow);

// A colour tool of the palette applied with the colour text `colour`.
// Design view: text colour (swatches, `fgpick`), selection background
// (`bgpick`) or the page's bgColor (`background`), then the page takes the
// focus. Code view: the selection is replaced by colourToolCodeText.
void applyToolColour(ColourTool tool, const QString& colour, const EditTarget& target);

}
