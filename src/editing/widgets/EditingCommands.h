#pragma once
#include "editing/widgets/InsertionEngine.h"

#include <QString>
#include <optional>

namespace ink {

// Runs the formatting, element or form-field command with this menu item
// name on the target, in the view the target shows. False when the name is
// not one of these commands (nothing is done then).
bool runEditingCommand(const QString& name, const EditTarget& target);

// The same for a button of the main window's formatting tool bars, by key.
bool runEditingToolbarButton(const QString& key, const EditTarget& target);

// Font controls of the main window and of the floating Formatting bar.

// A size was chosen in the size combo. Returns the value the size slider
// takes (none when the text is not a number; the text is written anyway).
std::optional<int> fontSizeComboChosen(const QString& text, const EditTarget& target);

// The size slider was released at `value`. Returns the text the size combo
// shows.
QString fontSizeSliderReleased(int value, const EditTarget& target);

// A font was picked in the font combo (its CurFont).
void fontFaceChosen(const QString& font, const EditTarget& target);

// A font tab of the side panel was clicked.
void fontTabClicked(const QString& caption, const EditTarget& target);

}
