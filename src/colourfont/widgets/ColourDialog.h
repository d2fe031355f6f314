#pragma once
#include "colourfont/ColourModel.h"

#include <functional>
#include <optional>

class QColor;
class QWidget;

namespace ink {

// The desktop's colour chooser, shown modally over `owner` (the main window
// when null) and starting at `initial`. Returns the chosen colour value, or
// nothing when the user cancelled. Every window that lets the user choose a
// free colour (the colour combos' "Custom...", swatches, pickers) asks here.
std::optional<ColourValue> chooseColour(QWidget* owner = nullptr, ColourValue initial = 0);

// When set, chooseColour calls this instead of showing the dialog; it gets
// the initial colour and returns the choice (nothing = cancel). Tests use it.
using ColourResponder = std::function<std::optional<ColourValue>(ColourValue initial)>;
void setColourTestResponder(ColourResponder responder);

// Conversions between colour values and Qt colours.
QColor toQColor(ColourValue value);
ColourValue fromQColor(const QColor& colour);

}
