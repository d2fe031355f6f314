#pragma once
#include <QString>
#include <optional>

namespace ink {

// Markup of the font controls. The size is written without quotes
// (<FONT size=5>), the face in double quotes.
QString fontSizeOpening(const QString& size);
QString fontFaceOpening(const QString& face);
QString fontClosing();

// The size slider's value for a size combo text; none when the text is not a
// whole number (the slider then keeps its value).
std::optional<int> sliderValueForSizeText(const QString& text);

// A range of the font size slider, chosen from the range tool bar's menu.
// For "standard" the minimum is set before the maximum, for the others the
// maximum first, so that a slider never passes through an empty range.
struct SliderRange {
    const char* key;
    int minimum;
    int maximum;
    bool maximumFirst;
};

// The range for a menu item key; none for an unknown key.
std::optional<SliderRange> sliderRangeForKey(const QString& key);
// The range a click on the button itself sets.
SliderRange defaultSliderRange();

}
