#pragma once
#include "styles/CssDialogTable.h"
#include "styles/widgets/CssDialogWindow.h"

class QButtonGroup;

namespace ink {

// A CSS dialog whose choices commit on a single click: one option button per
// row of its table, none selected at open, so that any click is a choice.
// The click writes the row's declaration and closes the dialog.
class CssChoiceDialogWidget : public CssDialogWindow {
    Q_OBJECT
public:
    CssChoiceDialogWidget(QWidget* owner, const CssChoiceDialog& table, CssDialogServices services);

private:
    void choose(const CssChoice& choice);

    CssDialogServices services_;
    bool committed_ = false;
};

}
