#pragma once
#include "dialogs/InsertMarkup.h"
#include "dialogs/widgets/InsertDialog.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace ink {

class DialogPreview;

// "Inline Frame": an IFRAME element with its source, name, border,
// scrolling, alignment and size, shown in the preview.
class InlineFrameDialog : public InsertDialog {
    Q_OBJECT
public:
    explicit InlineFrameDialog(const InsertDialogHost& host);
    void accept() override;
    InlineFrameFields fields() const;

protected:
    bool event(QEvent* event) override;

private:
    void rebuildPreview();
    QWidget* optionRow(std::initializer_list<QWidget*> widgets);

    FileListCombo* source_;
    QLineEdit* name_;
    QCheckBox* border_;
    QCheckBox* scrolling_;
    QRadioButton* alignLeft_;
    QRadioButton* alignCenter_;
    QRadioButton* alignRight_;
    QRadioButton* alignNone_;
    QLineEdit* height_;
    QRadioButton* heightPercent_;
    QLineEdit* width_;
    QRadioButton* widthPercent_;
    DialogPreview* preview_;
};

}
