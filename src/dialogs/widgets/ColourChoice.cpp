#include "dialogs/widgets/ColourChoice.h"

namespace ink {

ColourChoice::ColourChoice(ColorComboControl* combo, const QString& shown, const QString& colour,
                           bool askCustom)
    : QObject(combo), combo_(combo), colour_(colour)
{
    combo->setColor(shown);
    // "Custom..." stands for the colour in use, so it shows that colour.
    if (shown == customColourName())
        combo->showCustomColour(colour_);
    connect(combo, &ColorComboControl::click, this, [this, askCustom] {
        const bool custom = combo_->Color() == customColourName();
        if (!custom || askCustom) {
            if (std::optional<QString> text = combo_->chosenColourText(ColourForm::Dialog, combo_->window()))
                colour_ = *text;
        }
        if (custom)
            combo_->showCustomColour(colour_);
        emit picked();
    });
}

}
