#pragma once
#include <QDialog>
#include <functional>
#include <optional>

class QPushButton;

namespace ink {

class FileView;
class PreviewBrowser;

// The New Project window: a list of the templates beside a preview of the
// selected template's start page. OK (or a double-click) asks for a parent
// folder and a project name, copies the template's folder there under that
// name and hands the project's index.html to the host to open. The main
// window cannot be used while the wizard is open.
class Wizard : public QDialog {
    Q_OBJECT
public:
    // Opens a created project's start page; false when it could not.
    using PageOpener = std::function<bool(const QString& indexPath)>;

    Wizard(QWidget* mainWindow, const QString& templatesFolder, PageOpener opener);

    FileView* templates() const { return fileView_; }
    PreviewBrowser* preview() const { return preview_; }
    // The parent folder the next folder question starts in.
    static QString startFolder();

    // Answers the project name question instead of an input box (tests):
    // gets the default name, returns the answer or nothing for Cancel.
    using NameResponder = std::function<std::optional<QString>(const QString& defaultName)>;
    static void setNameResponder(NameResponder responder);

    // OK and double-click: create a project from the selected template.
    void createProject();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildButtons();
    void placeOverMainWindow(QWidget* mainWindow);
    void layoutWidgets();
    void showPreview();
    void showAbout();
    std::optional<QString> askProjectName(const QString& defaultName);
    void makeProject(const QString& templateFolder);

    FileView* fileView_ = nullptr;
    PreviewBrowser* preview_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* about_ = nullptr;
    PageOpener opener_;
    // Set while a project is being made: the page opening waits for the
    // design surface, and a second OK meanwhile must not start another copy.
    bool creating_ = false;
};

}
