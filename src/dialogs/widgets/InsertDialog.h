#pragma once
#include "editing/widgets/InsertionEngine.h"

#include <QComboBox>
#include <QDialog>
#include <functional>

class QBoxLayout;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QSlider;

namespace ink {

// What an insert dialog needs from the main window: the page it writes into,
// read afresh whenever it is needed, since the user may switch pages while
// the dialog is open.
struct InsertDialogHost {
    QWidget* owner = nullptr;
    std::function<EditTarget()> target;
    // The active page's folder ("" when there is none).
    std::function<QString()> pageFolder;
    std::function<void()> refreshFolderLists;
    // Pops up the main window's Edit menu at a screen position.
    std::function<void(const QPoint&)> popUpEditMenu;

    // Lists the files of the page's folder (or of its subfolder `sub`) once
    // the main window's folder lists are brought up to date: what the file
    // list combos show when they drop down.
    std::function<QStringList()> folderFiles(const QString& sub = QString()) const;
};

// The frame of every insert dialog: owned by the main window and modal to it
// (the main window cannot be used while it is open), placed at a quarter of
// the screen, deleted when closed, with "OK" and "Cancel" buttons.
class InsertDialog : public QDialog {
    Q_OBJECT
public:
    InsertDialog(const InsertDialogHost& host, const QString& caption);

protected:
    // A frame with a caption holding `field`; the field is named by the caption
    // (the text field of an editable combo box too).
    QGroupBox* framed(const QString& caption, QWidget* field);
    // A frame with a caption holding `slider` and, beside it, the number it
    // is set to.
    QGroupBox* framedSlider(const QString& caption, QSlider* slider);
    // The OK and Cancel buttons, object names as given; OK runs accept().
    void addButtons(QBoxLayout* layout, const char* okName, const char* cancelName);
    // The dialog's fields beside its preview, the OK and Cancel buttons below.
    void layOutBesidePreview(QBoxLayout* fields, QWidget* preview, const char* okName, const char* cancelName);
    // Puts `markup` in place of the page's selection: pasted in the Design
    // view, replacing the selected text (and left selected) in the Code view.
    void insertIntoPage(const QString& markup) const;
    // The selected text of the page as the dialog starts: the Code view's
    // selection as it is, or in the Design view the HTML from `design`.
    QString initialText(const std::function<QString(DesignSurface*)>& design) const;

    const InsertDialogHost host_;
    QPushButton* ok_ = nullptr;
};

// An editable combo box whose list is filled each time it drops down.
class FileListCombo : public QComboBox {
    Q_OBJECT
public:
    FileListCombo(const QString& objectName, std::function<QStringList()> entries, QWidget* parent = nullptr);
    void showPopup() override;

signals:
    void droppedDown();

private:
    std::function<QStringList()> entries_;
};

// `slider` in a row with a label after it that shows its value; the label is
// named as the slider with "Value" appended.
QWidget* sliderWithValue(QSlider* slider, QWidget* parent);

// The file names of a folder, in name order ("" gives none).
QStringList fileNamesIn(const QString& folder);

}
