#pragma once
#include "dialogs/DialogPreviewFile.h"
#include "dialogs/widgets/InsertDialog.h"

#include <QPointer>
#include <QWidget>

namespace ink {

class CodeEditor;
class DesignSurface;

// A companion window captioned "Inverse Property": an editor of the other
// view's kind with "OK", "Edit" and "Cancel" in a column at its right. It
// stays above the main window without blocking it.
class SelectionPropertyWindow : public QWidget {
    Q_OBJECT
public:
    SelectionPropertyWindow(const InsertDialogHost& host, const QString& objectName);
    // Where the window's code editor or design surface goes.
    QWidget* editorHolder() const { return editor_; }

signals:
    void okPressed();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // The text whose first src= value "Edit" opens.
    virtual QString shownHtml() = 0;

    const InsertDialogHost host_;

private:
    void openReferencedFile();

    QWidget* editor_;
    QWidget* buttons_;
    QPushButton* ok_;
};

// Design view: the selection's source in a code editor; OK puts it back in
// place of the selection.
class DesignSelectionWindow : public SelectionPropertyWindow {
    Q_OBJECT
public:
    explicit DesignSelectionWindow(const InsertDialogHost& host);
    CodeEditor* editor() const { return editor_; }
    // Shows the selection of `design`; `strip` removes one enclosing block.
    void feed(DesignSurface* design, bool strip);

protected:
    QString shownHtml() override;

private:
    void putBack();
    CodeEditor* editor_;
};

// Code view: the selected source rendered in a design surface; OK puts the
// rendering's HTML back in place of the selected text.
class CodeSelectionWindow : public SelectionPropertyWindow {
    Q_OBJECT
public:
    explicit CodeSelectionWindow(const InsertDialogHost& host);
    DesignSurface* surface() const { return surface_; }
    void feed(const QString& selectedText);

protected:
    QString shownHtml() override;

private:
    void putBack();
    DesignSurface* surface_;
    DialogPreviewFile file_;
};

// The command "Inverse Property" and the upkeep of its two windows: fed
// from the active page's selection while shown, swapped on view switches.
class InversePropertyWindows : public QObject {
    Q_OBJECT
public:
    explicit InversePropertyWindows(const InsertDialogHost& host);
    ~InversePropertyWindows() override;

    void open();
    // The active page's selection moved in the Design or the Code view.
    void designSelectionMoved();
    void codeSelectionMoved();
    // The active page switched to the Design (true) or the Code view.
    void viewSwitched(bool designView);
    void closeAll();

    DesignSelectionWindow* designBased() const { return designBased_; }
    CodeSelectionWindow* codeBased() const { return codeBased_; }

private:
    DesignSelectionWindow* showDesignBased(const QRect& geometry);
    CodeSelectionWindow* showCodeBased(const QRect& geometry);
    void feedCodeBased();

    const InsertDialogHost host_;
    QPointer<DesignSelectionWindow> designBased_;
    QPointer<CodeSelectionWindow> codeBased_;
};

}
