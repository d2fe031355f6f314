#pragma once
#include "document/WorkingFile.h"
#include "markup/SourcePosition.h"

#include <QPointer>
#include <QWidget>
#include <memory>
#include <optional>

class QAction;
class QCheckBox;
class QLineEdit;
class QToolBar;

namespace ink {

class CodeEditor;
class DesignSurface;
class DocumentHost;
class PreviewBrowser;
class ViewSelectionFollower;

// One page in its own window (htmledit): the code editor holds the page's
// source, the copy that is saved; the design surface shows it for editing;
// the preview browser shows it as a browser does. The page travels between
// them as text through the window's working file, only when the texts differ.
class DocumentWindow : public QWidget {
    Q_OBJECT
public:
    DocumentWindow(DocumentHost& host, int slot, QWidget* parent = nullptr);
    // A window made ahead for the next page: it has no slot, and answers
    // nothing of its components, until it takes one (takeSlot).
    DocumentWindow(DocumentHost& host, QWidget* parent);
    ~DocumentWindow() override;

    // The window made ahead becomes slot `slot`'s: it hears its components,
    // and shows the Syntax and Details boxes as stored now.
    void takeSlot(int slot);

    int slot() const { return slot_; }
    DesignSurface* design() const { return design_; }
    CodeEditor* code() const { return code_; }
    PreviewBrowser* preview() const { return preview_; }
    QLineEdit* titleBox() const { return titleBox_; }
    QAction* viewAction(const QString& key) const; // "Code", "Edit", "IE View"

    // Window caption: the page's file name, "Untitled" until it has one.
    QString caption() const;
    void setCaption(const QString& caption);
    QString folder() const;

    // The view bar's three buttons.
    void switchToCode();
    void switchToDesign();
    void switchToPreview();
    // The refresh bar's "refresh" button.
    void refresh();
    // The View menu's Refresh: the design surface takes the code text
    // directly (Code view) or the code editor takes the design HTML, then the
    // preview reloads.
    void refreshViews();
    // Brings the working file up to date and shows the browser's print preview.
    void printPreview();
    // Prints the page the browser holds.
    void printPage();
    // Prints the code text through the desktop's print command.
    void printCode();
    void applyTitle();

    // Copies the code text into the working file and loads it into the design
    // surface and the preview browser.
    void reloadDesignFromCode();
    // A page that cannot enter the Design view: Code view only, "Edit" hidden.
    void keepInCodeView();
    // Waits (processing events, showing progress) for the real end of the
    // design surface's load; stops early when the window closes or the
    // program exits.
    void waitForDesign();
    // Sets the title box from the design document's title.
    void showDesignTitle();
    bool designVisible() const;
    // A minimised, maximised or covered window has been shown and holds the
    // user's page; only a window never shown is not one the user worked in.
    bool hasBeenShown() const { return shown_; }
    // The window accepted its close and is waiting to be deleted.
    bool isClosed() const { return closed_; }

    // The code editor takes the design surface's HTML when the two differ.
    // False when the design surface holds the page but could not give it
    // back (the user has been told; the code text is left alone). After a
    // failed load the code text is the page, and this is true.
    bool copyDesignIntoCode();
    // Writes the working file and returns its path ("" on failure).
    // `utf8`, when given, is the text's own UTF-8 (see WorkingFile::write).
    QString writeWorkingFile(const QString& text, QByteArrayView utf8 = {});
    // Takes a working file written ahead for `text` (see
    // WorkingFile::writeAhead); "" when there is none or it cannot be taken.
    QString adoptWorkingFile(const QString& aheadPath, const QString& text);
    QString workingFilePath() const { return working_.path(); }
    // Refreshes the preview when it shows the working file, else navigates it there.
    void refreshOrNavigatePreview();
    void navigatePreview();
    // Whether the preview has loaded the working file's present text.
    bool previewUpToDate() const;

    // Every handler that waits (a wait lets the user close the window or the
    // program) checks after the wait that its window is still open, and
    // stops otherwise: a closed window's slot and files are no longer its own.
    static bool gone(const QPointer<DocumentWindow>& window);

signals:
    void becameActive(int slot);
    // A switch to the Design (true) or the Code view has finished.
    void viewSwitched(bool designView);
    // The close was accepted: the window is hidden and may be deleted once
    // no handler is running inside an event wait.
    void closed(int slot);
    // The window is about to close; the handler may veto by returning false
    // through `accept` (a page that could not be saved stays open).
    void closeRequested(int slot, bool* accept);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void buildWidgets();
    void connectComponents();
    void pressViewButton(const QString& key);
    void followViewButton(const QString& key);
    void adoptSlot(int slot, bool madeAhead);
    void applyStoredBoxes();
    void showOnly(QWidget* shown);
    bool viewHolding(QWidget* focus) const;
    void loadWorkingFileIntoDesign(const QString& text);
    void codeTextChanged();
    void applyGeneratorRuleToChange();
    void titleBoxFocusIn();
    void titleBoxFocusOut();
    void activate();
    bool quiet() const; // while the table dialog loads, the window's handlers keep still
    void designLoadFinished();
    void designTitleArrived();
    // `selection`, when given, takes the Design view's selection, read
    // together with the text.
    bool takeDesignIntoCode(bool markModified, std::optional<SourceRange>* selection = nullptr);
    void showCodeOnly();
    void loadPreview(bool navigate);
    void loadPreviewForPrinting();

    DocumentHost& host_;
    int slot_;
    DesignSurface* design_ = nullptr;
    CodeEditor* code_ = nullptr;
    PreviewBrowser* preview_ = nullptr;
    QLineEdit* titleBox_ = nullptr;
    QToolBar* viewBar_ = nullptr;
    QToolBar* refreshBar_ = nullptr;
    QCheckBox* syntaxBox_ = nullptr;
    QCheckBox* detailsBox_ = nullptr;
    WorkingFile working_;
    bool freshlyLoaded_ = true;
    // The title box is filled in when the Design view's load ends.
    bool titleWhenLoaded_ = false;
    bool titleBoxFocused_ = false;
    // The preview loads only while it is shown, and only when the working
    // file holds text it has not shown yet.
    QString previewText_;
    bool previewLoaded_ = false;
    bool closed_ = false;
    bool shown_ = false;
    bool pressingViewButtons_ = false;
    QString pressedView_;
    std::unique_ptr<ViewSelectionFollower> selection_;
};

}
