#include "dialogs/widgets/TableDialog.h"

#include "colourfont/widgets/FontComboControl.h"
#include "dialogs/widgets/DialogPreview.h"
#include "dialogs/widgets/ImageImport.h"
#include "dialogs/widgets/LengthNote.h"
#include "projects/CommonDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ink {

TableDialog::TableDialog(QWidget* owner, TableDialogContext context)
    : QDialog(owner), context_(std::move(context))
{
    setObjectName(QStringLiteral("frmTable"));
    setWindowTitle(QStringLiteral("Table"));
    setAccessibleName(windowTitle());
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    // Escape hides a dialog without closing it; it goes either way, and its
    // preview file with it.
    connect(this, &QDialog::finished, this, &QObject::deleteLater);
    colours_.pageBackColour = context_.pageBackColour;
    colours_.backColour = context_.pageBackColour;

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("d"));
    tabs_->setAccessibleName(QStringLiteral("Table pages"));
    tabs_->addTab(buildTablePage(), QStringLiteral("Table Properties"));
    tabs_->addTab(buildCellPage(), QStringLiteral("Cell Properties"));
    tabs_->addTab(buildFinishPage(), QStringLiteral("Finish"));
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (tabs_->widget(index) == preview_->parentWidget())
            rebuildPreview();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    // Only OK is a default button: Enter never presses "Import" (see
    // keyPressEvent for what Enter does).
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(button == ok_);
}

void TableDialog::present()
{
    if (QScreen* screen = this->screen()) {
        const QRect area = screen->geometry();
        move(area.left() + area.width() / 4, area.top() + area.height() / 4);
    }
    rebuildPreview();
    show();
    raise();
    activateWindow();
}

TableDialogValues TableDialog::values() const
{
    TableDialogValues v = colours_;
    v.rows = rows_->value();
    v.columns = columns_->value();
    v.borderSize = borderSize_->value();
    v.borderStyle = borderStyle_->currentText();
    v.fontName = font_->CurFont();
    v.fontSize = fontSize_->value();
    v.height = height_.text->text();
    v.heightPercent = height_.percent->isChecked();
    v.width = width_.text->text();
    v.widthPercent = width_.percent->isChecked();
    v.background = background_->text();
    v.cellPadding = padding_->value();
    v.cellSpacing = spacing_->value();
    v.align = alignLeft_->isChecked()     ? TableDialogValues::HAlign::Left
        : alignCenter_->isChecked()       ? TableDialogValues::HAlign::Center
                                          : TableDialogValues::HAlign::Right;
    v.valign = alignTop_->isChecked()     ? TableDialogValues::VAlign::Top
        : alignMiddle_->isChecked()       ? TableDialogValues::VAlign::Middle
                                          : TableDialogValues::VAlign::Bottom;
    v.cellBorderStyle = cellBorderStyle_->currentText();
    v.cellBorderSize = cellBorderSize_->value();
    v.cellHeight = cellHeight_.text->text();
    v.cellHeightPercent = cellHeight_.percent->isChecked();
    v.cellWidth = cellWidth_.text->text();
    v.cellWidthPercent = cellWidth_.percent->isChecked();
    v.cellBackground = cellBackground_->text();
    return v;
}

void TableDialog::rebuildPreview()
{
    const TableDialogValues v = values();
    pendingMarkup_ = tableDialogMarkup(v);
    preview_->showText(tableDialogPreviewText(v, pendingMarkup_));
}

void TableDialog::previewLoaded(bool ok)
{
    // OK inserts the table the preview shows: a click while it loads is kept
    // until it is shown (a load replaced by a newer one reports failure).
    if (!ok)
        return;
    shownMarkup_ = pendingMarkup_;
    if (std::exchange(insertWhenLoaded_, false))
        insertAndClose();
}

void TableDialog::keyPressEvent(QKeyEvent* event)
{
    // Enter in a field works as OK: from a property page it shows the table
    // on the Finish page, from there it inserts. A focused button takes
    // Enter as a click of its own.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
            button->click();
        else
            insertAndClose();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TableDialog::staticToggled(bool on)
{
    if (on) {
        widthBeforeStatic_ = cellWidth_.text->text();
        cellWidth_.text->setText(QStringLiteral("1"));
        cellWidth_.percent->setChecked(true);
    } else {
        cellWidth_.text->setText(widthBeforeStatic_);
        cellWidth_.plain->setChecked(true);
    }
    cellWidth_.text->setEnabled(!on);
    cellWidth_.plain->setEnabled(!on);
}

void TableDialog::importImage(QLineEdit* mask)
{
    if (context_.pageFolder.isEmpty())
        return;
    QDir().mkpath(QDir(context_.pageFolder).filePath(QStringLiteral("images")));
    cCommonDialog dialog;
    dialog.DialogTitle = QStringLiteral("Import Image");
    dialog.Filter = QStringLiteral("All Files|*.*");
    dialog.hwnd = this;
    if (!dialog.ShowOpen() || dialog.Filename.isEmpty())
        return;
    const QString reference = importIntoImages(dialog.Filename, context_.pageFolder, this);
    if (reference.isEmpty())
        return;
    mask->setText(reference);
    rebuildPreview();
}

void TableDialog::insertAndClose()
{
    // A height or width that is no length: its page comes up with the note
    // beside the field, and nothing is inserted.
    if (QLineEdit* wrong = LengthNote::firstWrongField(this)) {
        for (int i = 0; i < tabs_->count(); ++i) {
            if (tabs_->widget(i)->isAncestorOf(wrong))
                tabs_->setCurrentIndex(i);
        }
        wrong->setFocus();
        return;
    }
    // OK inserts only what the user sees on the Finish page; from anywhere
    // else the table is shown first, since the preview may be out of date.
    if (tabs_->currentWidget() != preview_->parentWidget()) {
        tabs_->setCurrentWidget(preview_->parentWidget());
        return;
    }
    if (!preview_->isLoaded()) {
        insertWhenLoaded_ = true;
        return;
    }
    if (context_.insert)
        context_.insert(shownMarkup_);
    close();
}

}
