#pragma once
#include "dialogs/InsertMarkup.h"
#include "dialogs/widgets/InsertDialog.h"

class QLineEdit;
class QRadioButton;
class QSlider;

namespace ink {

class DialogPreview;

// "Image": an IMG element from the page's images folder (or imported into
// it), with size, tip, border and an optional link, shown in the preview as
// it is edited.
class ImageDialog : public InsertDialog {
    Q_OBJECT
public:
    explicit ImageDialog(const InsertDialogHost& host);
    void accept() override;
    ImageFields fields() const;

protected:
    bool event(QEvent* event) override;

private:
    void rebuildPreview();
    void importImage();
    QWidget* lengthRow(QLineEdit* text, QRadioButton* normal, QRadioButton* percent);

    QString folder_;
    QLineEdit* source_;
    FileListCombo* images_;
    QLineEdit* link_;
    FileListCombo* pages_;
    QLineEdit* tip_;
    QLineEdit* height_;
    QRadioButton* heightPercent_;
    QLineEdit* width_;
    QRadioButton* widthPercent_;
    QSlider* border_;
    DialogPreview* preview_;
    bool blankOnReturn_ = false;
};

}
