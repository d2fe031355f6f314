#pragma once
#include "colourfont/widgets/ColorComboControl.h"

namespace ink {

// A dialog's colour combo with the colour text it stands for. A user's pick
// of a named colour stores that colour's dialog form; "Custom..." asks the
// colour dialog (when `askCustom`), and a cancel keeps the colour before.
class ColourChoice : public QObject {
    Q_OBJECT
public:
    ColourChoice(ColorComboControl* combo, const QString& shown, const QString& colour, bool askCustom);
    QString colour() const { return colour_; }
    ColorComboControl* combo() const { return combo_; }

signals:
    // The user picked an item (whether or not the colour changed).
    void picked();

private:
    ColorComboControl* combo_;
    QString colour_;
};

}
