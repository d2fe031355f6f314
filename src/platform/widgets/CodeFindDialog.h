#pragma once
#include <QDialog>
#include <QPointer>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QsciScintillaBase;

namespace ink {

// The code editor's find dialog ("Find") and find-and-replace dialog
// ("Replace"). Not modal: the user goes on editing while it is open. A
// failed search is reported inside the dialog, not in a message box.
class CodeFindDialog : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Find, Replace };

    CodeFindDialog(QsciScintillaBase* editor, Mode mode, QWidget* parent);

    Mode mode() const { return mode_; }
    // Shows the dialog with `what` (when not empty) as the text to find.
    void present(const QString& what);

signals:
    // The dialog searched or changed the editor's text.
    void editorTouched();

private:
    void build();
    QLayout* buildFields();
    QLayout* buildButtons();
    void findNext();
    void replace();
    void replaceAll();
    void reportNotFound();

    QPointer<QsciScintillaBase> editor_;
    Mode mode_;
    QLineEdit* what_ = nullptr;
    QLineEdit* with_ = nullptr;
    QCheckBox* matchCase_ = nullptr;
    QCheckBox* wholeWord_ = nullptr;
    QLabel* status_ = nullptr;
};

}
