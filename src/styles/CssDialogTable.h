#pragma once
#include <QString>
#include <optional>
#include <vector>

namespace ink {

// One choice of a CSS property dialog: the option button's name and caption
// and the declaration a click on it writes. A choice that asks for a colour
// first writes `declaration` followed by the colour text.
struct CssChoice {
    const char* control;
    const char* caption;
    const char* declaration;
    bool asksColour = false;
};

// A dialog whose choices commit on a single click. Adding a property value
// is one row in its table.
struct CssChoiceDialog {
    const char* name;    // the window's object name
    const char* caption; // the window title
    std::vector<CssChoice> choices;
};

// The thirteen click-to-commit dialogs.
const std::vector<CssChoiceDialog>& cssChoiceDialogs();
// The click-to-commit dialog of that name, or null.
const CssChoiceDialog* cssChoiceDialog(const QString& name);

// What a value box may hold.
enum class CssValueKind {
    Number,        // a number without sign: 12, 10.5
    SignedNumber,  // a number, possibly negative: -5, 10
    Length,        // a signed number followed by an optional unit: 2em, -10px, 3
};

// One choice of a dialog with value boxes: the option button, its box, and
// the text written around the box's text.
struct CssValueChoice {
    const char* control;
    const char* caption;
    const char* box;
    const char* prefix;
    const char* suffix;
    CssValueKind kind;
};

// A dialog with a value box beside each choice and an OK button.
struct CssValueDialog {
    const char* name;
    const char* caption;
    std::vector<CssValueChoice> choices;
};

// Font Size and Text Indent.
const std::vector<CssValueDialog>& cssValueDialogs();
const CssValueDialog* cssValueDialog(const QString& name);

// The declaration for a typed value, or nothing when the text is not a value
// of the choice's kind (then `problem` says what to type). Blanks around the
// value are dropped; a blank inside would break the rule.
std::optional<QString> cssValueDeclaration(const CssValueChoice& choice, const QString& typed,
                                           QString* problem = nullptr);

}
