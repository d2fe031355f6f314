#pragma once
#include "dialogs/TableMarkup.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;

namespace ink {

class ColorComboControl;
class DialogPreview;
class FontComboControl;

// What the table dialog needs from the program.
struct TableDialogContext {
    QString pageFolder;      // the active page's folder ("" for none)
    QString pageBackColour;  // the page's background colour, "" when unknown
    // Puts the table into the active page, in the view it shows.
    std::function<void(const QString& markup)> insert;
    // Points the main window's file lists at the page's folders (an image
    // list is about to drop down).
    std::function<void()> refreshFolderLists;
};

// A width or height: the text and its "Default" / "Percentage" options.
struct SizeField {
    QLineEdit* text = nullptr;
    QRadioButton* plain = nullptr;
    QRadioButton* percent = nullptr;
};

// The table dialog `frmTable`: the "Table Properties" and "Cell Properties"
// pages set the table's attributes, the "Finish" page shows the table in the
// preview and inserts it with "OK". Modal to its owner, deleted on close.
// Coming back to the dialog from another window leaves the preview as it is:
// its file is unchanged, and a reload would only hold up a click on OK.
class TableDialog : public QDialog {
    Q_OBJECT
public:
    TableDialog(QWidget* owner, TableDialogContext context);

    // Places the dialog at a quarter of the screen's width and height and
    // shows it with its first preview.
    void present();

    TableDialogValues values() const;
    DialogPreview* preview() const { return preview_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* buildTablePage();
    QWidget* buildCellPage();
    QWidget* buildFinishPage();
    // A slider with its value shown beside it; returns the row holding both.
    QWidget* slider(QSlider*& out, const char* name, const QString& caption, int minimum,
                    int maximum, int value);
    ColorComboControl* colourCombo(const char* name, const QString& caption, QString* stored);
    SizeField sizeField(const char* text, const char* plain, const char* percent,
                        const QString& caption);
    QWidget* imageSource(const char* mask, const char* list, const char* import,
                         QLineEdit** maskOut);
    void rebuildPreview();
    void previewLoaded(bool ok);
    void importImage(QLineEdit* mask);
    void staticToggled(bool on);
    void insertAndClose();

    TableDialogContext context_;
    TableDialogValues colours_; // the colour texts the combos stored
    QTabWidget* tabs_ = nullptr;
    DialogPreview* preview_ = nullptr;
    QPushButton* ok_ = nullptr;
    QString pendingMarkup_;
    QString shownMarkup_;
    // OK was clicked while the preview was loading: insert once it is shown.
    bool insertWhenLoaded_ = false;

    QSlider* rows_ = nullptr;
    QSlider* columns_ = nullptr;
    QSlider* borderSize_ = nullptr;
    QComboBox* borderStyle_ = nullptr;
    FontComboControl* font_ = nullptr;
    QSlider* fontSize_ = nullptr;
    SizeField height_, width_;
    QLineEdit* background_ = nullptr;

    QSlider* padding_ = nullptr;
    QSlider* spacing_ = nullptr;
    QRadioButton* alignLeft_ = nullptr;
    QRadioButton* alignCenter_ = nullptr;
    QRadioButton* alignTop_ = nullptr;
    QRadioButton* alignMiddle_ = nullptr;
    QComboBox* cellBorderStyle_ = nullptr;
    QSlider* cellBorderSize_ = nullptr;
    SizeField cellHeight_, cellWidth_;
    QCheckBox* static_ = nullptr;
    QString widthBeforeStatic_;
    QLineEdit* cellBackground_ = nullptr;
};

}
