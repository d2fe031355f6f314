#include "projects/widgets/Wizard.h"

#include "base/ProgramFolder.h"
#include "base/Twips.h"
#include "base/widgets/Prompts.h"
#include "document/PageFile.h"
#include "platform/ComponentFactory.h"
#include "platform/PreviewBrowser.h"
#include "projects/ProjectCreation.h"
#include "projects/widgets/FileView.h"
#include "projects/widgets/Shell.h"

#include <QDir>
#include <QFileInfo>
#include <QInputDialog>
#include <QListWidget>
#include <QPushButton>

namespace ink {

namespace {

const QString CreateTitle = QStringLiteral("Error creating project");

QString& lastParentFolder()
{
    static QString folder = QDir::currentPath();
    return folder;
}

Wizard::NameResponder& nameResponder()
{
    static Wizard::NameResponder responder;
    return responder;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(caption);
    return button;
}

}

Wizard::Wizard(QWidget* mainWindow, const QString& templatesFolder, PageOpener opener)
    : QDialog(mainWindow), opener_(std::move(opener))
{
    setObjectName(QStringLiteral("Wizard"));
    setWindowTitle(QStringLiteral("New Project"));
    setAccessibleName(QStringLiteral("New Project"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The main window stays visible but takes no input while the wizard is open.
    setWindowModality(Qt::WindowModal);

    fileView_ = new FileView(this);
    fileView_->setObjectName(QStringLiteral("FileView1"));
    fileView_->setAccessibleName(QStringLiteral("Templates"));
    fileView_->list()->setAccessibleName(QStringLiteral("Templates"));
    // Each template is shown by its preview picture (Business.png for Business/).
    fileView_->setPicturePreviews(QSize(80, 60));
    preview_ = createPreviewBrowser(this);
    preview_->widget()->setObjectName(QStringLiteral("WebBrowser1"));
    preview_->widget()->setAccessibleName(QStringLiteral("Template preview"));
    buildButtons();

    // An empty preview until a template is chosen.
    // It is written to the state folder: the program folder of an installed
    // copy cannot be written.
    QDir().mkpath(stateFolder());
    const QString empty = joinPath(stateFolder(), QStringLiteral("temp.html"));
    if (writeWorkingFileText(empty, QStringLiteral("<HTML></HTML>")))
        preview_->navigate(empty);
    fileView_->ShowPath(templatesFolder);
    connect(fileView_, &FileView::click, this, &Wizard::showPreview);
    connect(fileView_, &FileView::keyup, this, &Wizard::showPreview);
    connect(fileView_, &FileView::dblclick, this, &Wizard::createProject);
    placeOverMainWindow(mainWindow);
}

void Wizard::buildButtons()
{
    ok_ = makeButton(this, "Command1", QStringLiteral("OK"));
    cancel_ = makeButton(this, "Command2", QStringLiteral("Cancel"));
    about_ = makeButton(this, "Command3", QStringLiteral("About"));
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &Wizard::createProject);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::close);
    connect(about_, &QPushButton::clicked, this, &Wizard::showAbout);
}

void Wizard::placeOverMainWindow(QWidget* mainWindow)
{
    const int inset = twipsToPixels(500);
    const int smaller = twipsToPixels(1000);
    if (!mainWindow) {
        resize(720, 480);
        return;
    }
    const QRect frame = mainWindow->geometry();
    const QSize size(std::max(frame.width() - smaller, 480), std::max(frame.height() - smaller, 360));
    setGeometry(QRect(frame.topLeft() + QPoint(inset, inset), size));
}

void Wizard::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    layoutWidgets();
}

void Wizard::layoutWidgets()
{
    const int h = int(pixelsToTwips(height()));
    const int w = int(pixelsToTwips(width()));
    auto place = [](QWidget* widget, int left, int top, int width, int height) {
        widget->setGeometry(twipsToPixels(left), twipsToPixels(top), twipsToPixels(std::max(width, 0)),
                            twipsToPixels(std::max(height, 0)));
    };
    place(fileView_, 120, 120, 2775, h - 1000);
    place(preview_->widget(), 3000, 120, w - 3150, h - 450);
    place(ok_, 120, h - 775, 750, 350);
    place(cancel_, 1080, h - 775, 750, 350);
    place(about_, 2040, h - 775, 750, 350);
}

void Wizard::showPreview()
{
    const QString item = fileView_->item();
    if (item.isEmpty())
        return;
    const QString page = item + QStringLiteral("/index.html");
    if (QFileInfo(page).isFile())
        preview_->navigate(page);
}

void Wizard::showAbout()
{
    Prompts::current().message(
        this, QStringLiteral("Inkpress"),
        QStringLiteral("Most templates and library files are user contributed. Find out who these "
                       "wonderful people are at the Inkpress message board (Help > Message Board)."));
}

QString Wizard::startFolder()
{
    return lastParentFolder();
}

void Wizard::setNameResponder(NameResponder responder)
{
    nameResponder() = std::move(responder);
}

std::optional<QString> Wizard::askProjectName(const QString& defaultName)
{
    if (nameResponder())
        return nameResponder()(defaultName);
    QInputDialog box(this);
    box.setWindowTitle(QStringLiteral("Project Option"));
    box.setLabelText(QStringLiteral("Project name"));
    box.setAccessibleName(QStringLiteral("Project name"));
    box.setTextValue(defaultName);
    box.move(pos() + QPoint(width() / 4, height() / 4));
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return box.textValue();
}

void Wizard::createProject()
{
    const QString templateFolder = fileView_->item();
    if (templateFolder.isEmpty() || creating_)
        return;
    creating_ = true;
    makeProject(templateFolder);
    creating_ = false;
}

void Wizard::makeProject(const QString& templateFolder)
{
    const QString parent = browseForFolder(lastParentFolder(), this, QStringLiteral("Select a folder for the project"));
    if (parent.isEmpty())
        return;
    // A name left empty, or a name box cancelled, takes the template's name:
    // the folder has been chosen, so the project is made either way.
    const QString name = askProjectName(fileView_->nameofitem()).value_or(QString()).trimmed();
    const QString projectName = name.isEmpty() ? fileView_->nameofitem() : name;
    const ProjectResult result = ink::createProject(templateFolder, QDir::cleanPath(parent), projectName);
    if (!result.ok) {
        Prompts::current().warning(this, CreateTitle, result.error);
        return;
    }
    lastParentFolder() = result.folder;
    const QString index = result.folder + QStringLiteral("/index.html");
    if (!QFileInfo(index).isFile())
        Prompts::current().message(this, QStringLiteral("New Project"),
                                   QStringLiteral("The project was created in %1, but it has no "
                                                  "index.html to open.").arg(result.folder));
    else if (opener_)
        opener_(index);
    close();
}

}
