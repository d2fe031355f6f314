#pragma once
#include "dialogs/widgets/InsertDialog.h"

class QLineEdit;

namespace ink {

// "Hyperlink": an A element with an address, a bookmark, a tip and a target.
class HyperlinkDialog : public InsertDialog {
    Q_OBJECT
public:
    explicit HyperlinkDialog(const InsertDialogHost& host);
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* text_;
    FileListCombo* address_;
    QLineEdit* tip_;
    QLineEdit* bookmark_;
    QComboBox* target_;
};

// "Bookmark": a named anchor around the bookmark text.
class BookmarkDialog : public InsertDialog {
    Q_OBJECT
public:
    explicit BookmarkDialog(const InsertDialogHost& host);
    void accept() override;

private:
    QLineEdit* text_;
    QLineEdit* anchor_;
};

}
