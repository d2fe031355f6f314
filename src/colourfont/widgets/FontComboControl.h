#pragma once
#include <QWidget>

class QComboBox;

namespace ink {

// The font picker that many windows host: a combo listing "Edit Font List",
// the user's favourite fonts, the system's fonts and the favourites again,
// with separator lines between the sections (see fontComboLayout). Hosts
// read CurFont when `click` arrives.
class FontComboControl : public QWidget {
    Q_OBJECT
public:
    explicit FontComboControl(QWidget* parent = nullptr);

    // The text of the selected item; the shown text when no item is selected.
    QString CurFont() const;
    // Shows `name` without selecting an item (the font at the caret).
    void setTheFont(const QString& name);
    // 1-based number of the selected item; 0 when none is selected.
    int comboitem() const;
    // Selects item `number` (1-based); other numbers change nothing.
    void setComboitem(int number);
    // Builds the list again from the font list file and the system's fonts.
    void Refreshx();

    // The inner combo, for hosts that size or focus it, and for tests.
    QComboBox* combo() const { return combo_; }

    QSize sizeHint() const override;

signals:
    // The user picked a font name.
    void click();
    // The user typed into the combo.
    void change();
    // The list dropped down.
    void dropdown();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildList();
    void onActivated(int index);
    void rememberShown();
    void restoreShown();

    QComboBox* combo_;
    // What the combo showed before the user picked a separator or "Edit Font
    // List": it is shown again, since neither is a font.
    int shownIndex_ = -1;
    QString shownText_;
};

}
