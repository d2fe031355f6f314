#include "dialogs/widgets/InversePropertyWindows.h"

#include "base/Twips.h"
#include "dialogs/InsertMarkup.h"
#include "document/DocumentRoutines.h"
#include "platform/CodeEditor.h"
#include "platform/ComponentFactory.h"
#include "platform/DesignSurface.h"
#include "projects/widgets/Shell.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace ink {

namespace {

const QString Caption = QStringLiteral("Inverse Property");

QPushButton* button(const QString& caption, const char* name, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAccessibleName(caption);
    return b;
}

// The design surface's selection as HTML: a text range's HTML, or the first
// selected element's outer HTML.
QString selectionHtml(DesignSurface* design)
{
    const QString type = design->selectionType();
    if (type == QLatin1String("Control"))
        return design->controlOuterHtml();
    if (type == QLatin1String("None") || type == QLatin1String("Text"))
        return design->selectionHtmlText();
    return {};
}

} // namespace

SelectionPropertyWindow::SelectionPropertyWindow(const InsertDialogHost& host, const QString& objectName)
    : QWidget(host.owner, Qt::Tool), host_(host), editor_(new QWidget(this)), buttons_(new QWidget(this)),
      ok_(button(tr("OK"), "Command1", buttons_))
{
    setObjectName(objectName);
    setWindowTitle(Caption);
    setAccessibleName(Caption);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* edit = button(tr("Edit"), "Command3", buttons_);
    auto* cancel = button(tr("Cancel"), "Command2", buttons_);
    auto* column = new QVBoxLayout(buttons_);
    column->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* b : {ok_, edit, cancel})
        column->addWidget(b);
    column->addStretch();
    connect(ok_, &QPushButton::clicked, this, &SelectionPropertyWindow::okPressed);
    connect(edit, &QPushButton::clicked, this, &SelectionPropertyWindow::openReferencedFile);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    if (const QScreen* screen = host.owner ? host.owner->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        setGeometry(area.x() + area.width() / 4, area.y() + area.height() * 65 / 100, area.width() * 3 / 4,
                    area.height() / 4);
    }
}

void SelectionPropertyWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    editor_->setGeometry(0, 0, qMax(0, width() - twipsToPixels(1000)), qMax(0, height() - twipsToPixels(500)));
    buttons_->setGeometry(width() - twipsToPixels(825), 0, twipsToPixels(825) - 8, height());
    if (isVisible())
        ok_->setFocus();
}

void SelectionPropertyWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    ok_->setFocus();
}

void SelectionPropertyWindow::openReferencedFile()
{
    // Opens a file the markup refers to with the desktop's viewer; a missing
    // file, a folder or a program is never started.
    const QFileInfo file(referencedSourcePath(shownHtml(), host_.pageFolder()));
    if (file.isFile() && !file.isExecutable())
        shellOpen(QStringLiteral("open"), file.absoluteFilePath(), QString());
}

DesignSelectionWindow::DesignSelectionWindow(const InsertDialogHost& host)
    : SelectionPropertyWindow(host, QStringLiteral("frmEditSelection")), editor_(nullptr)
{
    QWidget* holder = editorHolder();
    editor_ = createCodeEditor(holder);
    auto* layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(editor_->widget());
    editor_->widget()->setAccessibleName(tr("Selection source"));
    connect(editor_, &CodeEditor::mousePressed, this, [this](Qt::MouseButton b, const QPoint& at) {
        if (b == Qt::RightButton && host_.popUpEditMenu)
            host_.popUpEditMenu(at);
    });
    connect(this, &SelectionPropertyWindow::okPressed, this, &DesignSelectionWindow::putBack);
}

void DesignSelectionWindow::feed(DesignSurface* design, bool strip)
{
    const QString html = selectionHtml(design);
    editor_->setText(strip ? stripBlockWrapper(html) : html);
}

QString DesignSelectionWindow::shownHtml()
{
    return editor_->text();
}

void DesignSelectionWindow::putBack()
{
    const EditTarget target = host_.target();
    if (!target.design || !target.designView)
        return;
    // One replacement of the selection: the selection is never deleted
    // first, so a paste that fails leaves it as it was.
    const QString text = editor_->text();
    if (text.isEmpty())
        target.design->clearSelection();
    else
        target.design->pasteHtml(text);
    editor_->setText(QString());
}

CodeSelectionWindow::CodeSelectionWindow(const InsertDialogHost& host)
    : SelectionPropertyWindow(host, QStringLiteral("frmTextSelection")), surface_(nullptr)
{
    QWidget* holder = editorHolder();
    surface_ = createDesignSurface(holder);
    auto* layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(surface_->widget());
    surface_->widget()->setAccessibleName(tr("Selection rendering"));
    connect(this, &SelectionPropertyWindow::okPressed, this, &CodeSelectionWindow::putBack);
}

void CodeSelectionWindow::feed(const QString& selectedText)
{
    const QString path = file_.write(host_.pageFolder(), selectedText);
    if (!path.isEmpty())
        surface_->loadDocument(path);
}

QString CodeSelectionWindow::shownHtml()
{
    return surface_->documentHtml();
}

void CodeSelectionWindow::putBack()
{
    const EditTarget target = host_.target();
    if (!target.code || target.designView || surface_->busy())
        return;
    replaceCodeSelection(target, surface_->bodyInnerHtml());
}

InversePropertyWindows::InversePropertyWindows(const InsertDialogHost& host) : QObject(host.owner), host_(host) {}

InversePropertyWindows::~InversePropertyWindows()
{
    closeAll();
}

void InversePropertyWindows::open()
{
    const EditTarget target = host_.target();
    if (!target.code)
        return;
    if (target.designView) {
        if (DesignSelectionWindow* window = showDesignBased(QRect()))
            window->feed(target.design, true);
    } else {
        showCodeBased(QRect());
        feedCodeBased();
    }
}

DesignSelectionWindow* InversePropertyWindows::showDesignBased(const QRect& geometry)
{
    if (!designBased_)
        designBased_ = new DesignSelectionWindow(host_);
    if (geometry.isValid())
        designBased_->setGeometry(geometry);
    designBased_->show();
    designBased_->raise();
    return designBased_;
}

CodeSelectionWindow* InversePropertyWindows::showCodeBased(const QRect& geometry)
{
    if (!codeBased_)
        codeBased_ = new CodeSelectionWindow(host_);
    if (geometry.isValid())
        codeBased_->setGeometry(geometry);
    codeBased_->show();
    codeBased_->raise();
    return codeBased_;
}

void InversePropertyWindows::feedCodeBased()
{
    const EditTarget target = host_.target();
    if (codeBased_ && codeBased_->isVisible() && target.code)
        codeBased_->feed(target.code->selectedText());
}

void InversePropertyWindows::designSelectionMoved()
{
    if (!designBased_ || !designBased_->isVisible())
        return;
    // Reported from inside the engine's own events: read the selection once
    // they have returned.
    QTimer::singleShot(0, this, [this] {
        const EditTarget target = host_.target();
        if (designBased_ && designBased_->isVisible() && target.design && target.designView)
            designBased_->feed(target.design, false);
    });
}

void InversePropertyWindows::codeSelectionMoved()
{
    feedCodeBased();
}

void InversePropertyWindows::viewSwitched(bool designView)
{
    if (!designView && designBased_ && designBased_->isVisible()) {
        const QRect geometry = designBased_->geometry();
        designBased_->close();
        showCodeBased(geometry);
        feedCodeBased();
    } else if (!designView) {
        feedCodeBased();
    } else if (codeBased_ && codeBased_->isVisible()) {
        const QRect geometry = codeBased_->geometry();
        codeBased_->close();
        showDesignBased(geometry);
    }
}

void InversePropertyWindows::closeAll()
{
    if (designBased_)
        designBased_->close();
    if (codeBased_)
        codeBased_->close();
}

}
