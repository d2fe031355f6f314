#pragma once
#include "dialogs/InsertMarkup.h"
#include "dialogs/widgets/InsertDialog.h"

class QLineEdit;
class QRadioButton;
class QSlider;

namespace ink {

class ColourChoice;
class DialogPreview;
class FontComboControl;

// "Hyperbutton": a one-button form that goes to an address, in a font, size
// and two colours, shown in the preview as it is edited.
class HyperbuttonDialog : public InsertDialog {
    Q_OBJECT
public:
    explicit HyperbuttonDialog(const InsertDialogHost& host);
    void accept() override;
    HyperbuttonFields fields() const;

protected:
    bool event(QEvent* event) override;

private:
    void rebuildPreview();

    QLineEdit* caption_;
    FileListCombo* address_;
    FontComboControl* font_;
    QSlider* size_;
    ColourChoice* fore_;
    ColourChoice* back_;
    DialogPreview* preview_;
};

// "Marquee": scrolling text in a FONT element, with behaviour, direction,
// loop, delay, amount, font, size and colours, shown in the preview on the
// page's background colour.
class MarqueeDialog : public InsertDialog {
    Q_OBJECT
public:
    explicit MarqueeDialog(const InsertDialogHost& host);
    void accept() override;
    MarqueeFields fields() const;

protected:
    bool event(QEvent* event) override;

private:
    void rebuildPreview();
    QSlider* slider(const char* name, int maximum, int value);
    QString pageBackground() const;

    QLineEdit* text_;
    QRadioButton* slide_;
    QRadioButton* alternate_;
    QRadioButton* right_;
    QSlider* loop_;
    QSlider* delay_;
    QSlider* amount_;
    FontComboControl* font_;
    QSlider* size_;
    ColourChoice* fore_;
    ColourChoice* back_;
    DialogPreview* preview_;
};

}
