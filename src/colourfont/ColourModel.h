#pragma once
#include <QString>
#include <array>

namespace ink {

// A colour value as the colour dialog, the swatches, the pickers and colour
// cube files hold it: red in the lowest byte, then green, then blue
// (0x00BBGGRR). Only 0..16777215 are colours.
using ColourValue = qint64;
constexpr ColourValue MaxColourValue = 0xFFFFFF;

inline bool isColourValue(ColourValue value) { return value >= 0 && value <= MaxColourValue; }
inline ColourValue colourValue(int red, int green, int blue)
{
    return (red & 0xFF) | ((green & 0xFF) << 8) | (ColourValue(blue & 0xFF) << 16);
}
inline int redOf(ColourValue value) { return int(value & 0xFF); }
inline int greenOf(ColourValue value) { return int((value >> 8) & 0xFF); }
inline int blueOf(ColourValue value) { return int((value >> 16) & 0xFF); }

// The colour text "#rrggbb" of a value: red first, two lower-case hex digits a
// component. Only the low three bytes are read, so a value that is no colour
// still gives six digits.
QString clrlong2hex(ColourValue value);

// The three written forms of a named colour's text.
enum class ColourForm {
    MainWindow,    // "#800000": the main window's and the Formatting bar's combos
    Dialog,        // " #800000": the insert dialogs' combos (four names carry a blank)
    DesignSurface, // "#C0C0C0": how the Design view reports the colour at the caret
};

// One entry of the named colour table; `item` is its place in every colour
// combo (1..16).
struct NamedColour {
    int item;
    const char* name;
    const char* mainForm;
    const char* dialogForm;
    const char* designForm;
    ColourValue swatch; // the combo's swatch image (Teal and Silver are lighter)
};

constexpr int NamedColourCount = 16;
// The combo's last item, after the sixteen names.
constexpr int CustomItem = 17;
inline QString customColourName() { return QStringLiteral("Custom..."); }

// The sixteen entries in item order.
const std::array<NamedColour, NamedColourCount>& namedColours();

// The colour text of `name` (exact, case-sensitive) in `form`; empty when no
// entry has that name ("Custom..." included).
QString namedColourText(const QString& name, ColourForm form);

// The item number (1..16) of the first entry whose text in `form` equals
// `text`; CustomItem when none does.
int namedColourItem(const QString& text, ColourForm form);

// The text of an entry in one form.
QString colourTextOf(const NamedColour& colour, ColourForm form);

}
