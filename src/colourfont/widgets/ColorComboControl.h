#pragma once
#include "colourfont/ColourModel.h"

#include <QWidget>
#include <optional>

class QComboBox;

namespace ink {

// The colour picker that the main window, the floating Formatting bar and the
// insert dialogs host: a combo (`ColorCombo`) of the sixteen named colours,
// each with its swatch, and "Custom..." as item 17. The widget knows names
// only; it keeps no colour.
//
// Use:
//     auto* combo = new ColorComboControl(parent);
//     combo->setColor("Silver");                 // show a start value; no `click`
//     connect(combo, &ColorComboControl::click, this, [combo, this] {
//         if (std::optional<QString> c = combo->chosenColourText(ColourForm::Dialog, this))
//             store(*c);                         // " #800000", "#ff0000", ...
//     });
//
// `click` comes only from a user's pick in the list (also of the item already
// shown), never from setColor or setComboitem: a host that shows the colour
// at the caret or a start value never applies anything by doing so.
class ColorComboControl : public QWidget {
    Q_OBJECT
public:
    explicit ColorComboControl(QWidget* parent = nullptr);

    // The shown text: the selected item's name, "Custom...", or what a host
    // last wrote with setColor.
    QString Color() const;
    // Shows `text`: selects the item of that name, or shows the text with no
    // item selected when no item has it. Emits nothing.
    void setColor(const QString& text);

    // The selected item (1..17); 0 when a host's own text is shown.
    int comboitem() const;
    // Selects item `number` (1..17); other numbers change nothing. Emits
    // nothing.
    void setComboitem(int number);

    // The colour text of the shown name in `form`, for a host handling
    // `click`. For "Custom..." the colour dialog opens over `dialogOwner` and
    // the chosen colour's clrlong2hex text is returned. Nothing when the
    // dialog was cancelled or the text names no colour.
    std::optional<QString> chosenColourText(ColourForm form, QWidget* dialogOwner = nullptr) const;

    // Gives "Custom..." the swatch of `colourText` ("#ffffcc", " #800000",
    // a colour name) and names that colour in the tool tip, for a host whose
    // custom colour is in use; a text that is no colour shows the plain item.
    void showCustomColour(const QString& colourText);

    // The inner combo, for hosts that size or focus it, and for tests.
    QComboBox* combo() const { return combo_; }

    QSize sizeHint() const override;

signals:
    // The user picked an item from the list.
    void click();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QComboBox* combo_;
};

}
