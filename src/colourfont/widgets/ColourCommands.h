#pragma once
#include "colourfont/ColourMarkup.h"
#include "editing/widgets/InsertionEngine.h"

namespace ink {

// A colour picked in the main window's colour combo (its colour text).
// Design view: the selection takes the text colour, the page takes the focus
// and Tab moves it on. Code view: the selection is replaced, in one undo step,
// by <FONT color=c> + the selection + </FONT> with the old text selected (the
// caret before </FONT> when nothing was selected), and the page takes the
// focus back from the combo.
void applyComboColour(const QString& colour, const EditTarget& target);

// The same for the floating Formatting bar's combo, which keeps the focus
// where it is in the Code view and sends no Tab in the Design view.
void applyFormattingBarColour(const QString& colour, const EditTarget& target);

// A colour tool of the palette applied with the colour text `colour`.
// Design view: text colour (swatches, `fgpick`), selection background
// (`bgpick`) or the page's bgColor (`background`), then the page takes the
// focus. Code view: the selection is replaced by colourToolCodeText.
void applyToolColour(ColourTool tool, const QString& colour, const EditTarget& target);

}
