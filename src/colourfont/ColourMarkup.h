#pragma once
#include <QString>

namespace ink {

// The colour tools of the palette.
enum class ColourTool {
    Swatch,              // one of the sixteen swatches (left button)
    TextColour,          // `fgpick`
    SelectionBackground, // `bgpick`
    PageBackground,      // `background`
};

// What a colour tool writes in place of the Code view's selection, for the
// colour text `colour`: the bare colour, "color=#ff0000",
// style="BACKGROUND-COLOR: #ff0000" or "bgColor=#ffffff". Colour values are
// written unquoted.
QString colourToolCodeText(ColourTool tool, const QString& colour);

// The colour combo's FONT element around the selection; the colour is
// written unquoted: <FONT color=#800000>.
QString fontColourOpening(const QString& colour);

}
