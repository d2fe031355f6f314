#pragma once
#include "styles/CssDialogTable.h"
#include "styles/widgets/CssDialogWindow.h"

#include <vector>

class QLineEdit;
class QRadioButton;

namespace ink {

// A CSS dialog with a value box beside each choice and an OK button. The
// first choice starts selected; only the selected choice's box takes input.
// OK writes the selected choice's declaration with the typed value, or says
// what to type and stays open when the value is not one.
class CssValueDialogWidget : public CssDialogWindow {
    Q_OBJECT
public:
    CssValueDialogWidget(QWidget* owner, const CssValueDialog& table, CssDialogServices services);

private:
    void select(int row);
    void accept() override;

    const CssValueDialog& table_;
    CssDialogServices services_;
    std::vector<QRadioButton*> buttons_;
    std::vector<QLineEdit*> boxes_;
    int selected_ = 0;
};

}
