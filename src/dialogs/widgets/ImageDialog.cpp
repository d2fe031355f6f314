#include "dialogs/widgets/ImageDialog.h"

#include "dialogs/widgets/DialogPreview.h"
#include "dialogs/widgets/ImageImport.h"
#include "dialogs/widgets/LengthNote.h"
#include "projects/CommonDialog.h"

#include <QApplication>
#include <QBoxLayout>
#include <QDir>
#include <QEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

namespace ink {

namespace {

QLineEdit* named(QLineEdit* edit, const char* name)
{
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

QRadioButton* option(const QString& caption, const char* name, QWidget* parent)
{
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

} // namespace

ImageDialog::ImageDialog(const InsertDialogHost& host)
    : InsertDialog(host, tr("Image")), folder_(host.pageFolder()),
      source_(named(new QLineEdit(this), "Combo1Mask")),
      images_(new FileListCombo(QStringLiteral("Combo1"),
                                [this, list = host.folderFiles(QStringLiteral("images"))] {
                                    QDir(folder_).mkpath(QStringLiteral("images"));
                                    return list();
                                }, this)),
      link_(named(new QLineEdit(this), "Combo2Mask")),
      pages_(new FileListCombo(QStringLiteral("Combo2"), host.folderFiles(), this)),
      tip_(named(new QLineEdit(this), "Text1")), height_(named(new QLineEdit(this), "Text2")),
      heightPercent_(option(tr("Percentage"), "Option2", this)), width_(named(new QLineEdit(this), "Text3")),
      widthPercent_(option(tr("Percentage"), "Option4", this)), border_(new QSlider(Qt::Horizontal, this)),
      preview_(new DialogPreview(folder_, this))
{
    setObjectName(QStringLiteral("frmImage"));
    images_->setEditable(false);
    pages_->setEditable(false);
    images_->setAccessibleName(tr("Image files"));
    pages_->setAccessibleName(tr("Page files"));
    border_->setObjectName(QStringLiteral("Slider1"));
    border_->setRange(0, 100);

    auto* importButton = new QPushButton(tr("Import"), this);
    importButton->setObjectName(QStringLiteral("Command1"));
    auto* sourceBox = framed(tr("Image Source"), source_);
    sourceBox->layout()->addWidget(images_);
    sourceBox->layout()->addWidget(importButton);
    auto* linkBox = framed(tr("Link"), link_);
    linkBox->layout()->addWidget(pages_);

    auto* fields = new QVBoxLayout;
    fields->addWidget(sourceBox);
    fields->addWidget(linkBox);
    fields->addWidget(framed(tr("Screen Tip"), tip_));
    fields->addWidget(framed(tr("Height"), lengthRow(height_, option(tr("Default"), "Option1", this),
                                                    heightPercent_)));
    fields->addWidget(framed(tr("Width"), lengthRow(width_, option(tr("Default"), "Option3", this),
                                                   widthPercent_)));
    fields->addWidget(framedSlider(tr("Border"), border_));
    height_->setAccessibleName(tr("Height"));
    width_->setAccessibleName(tr("Width"));
    LengthNote::attach(height_);
    LengthNote::attach(width_);
    layOutBesidePreview(fields, preview_, "Command2", "Command3");
    resize(820, 560);

    connect(source_, &QLineEdit::textChanged, this, &ImageDialog::rebuildPreview);
    connect(images_, &QComboBox::textActivated, this,
            [this](const QString& name) { source_->setText(QStringLiteral("images/") + name); });
    connect(pages_, &QComboBox::textActivated, this, [this](const QString& name) {
        link_->setText(name);
        rebuildPreview();
    });
    for (QLineEdit* edit : {tip_, height_, width_})
        connect(edit, &QLineEdit::textChanged, this, &ImageDialog::rebuildPreview);
    for (QRadioButton* button : findChildren<QRadioButton*>())
        connect(button, &QRadioButton::clicked, this, &ImageDialog::rebuildPreview);
    connect(border_, &QSlider::sliderReleased, this, &ImageDialog::rebuildPreview);
    connect(border_, &QSlider::actionTriggered, this, [this] { QMetaObject::invokeMethod(
        this, &ImageDialog::rebuildPreview, Qt::QueuedConnection); });
    connect(importButton, &QPushButton::clicked, this, &ImageDialog::importImage);
}

QWidget* ImageDialog::lengthRow(QLineEdit* text, QRadioButton* normal, QRadioButton* percent)
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text);
    layout->addWidget(normal);
    layout->addWidget(percent);
    normal->setChecked(true);
    return row;
}

ImageFields ImageDialog::fields() const
{
    return {source_->text(),
            link_->text(),
            tip_->text(),
            {height_->text(), heightPercent_->isChecked()},
            {width_->text(), widthPercent_->isChecked()},
            border_->value()};
}

bool ImageDialog::event(QEvent* event)
{
    // Coming back to the dialog from another window blanks the preview until
    // the next change; closing one of its own drop-down lists does not.
    if (event->type() == QEvent::WindowDeactivate)
        blankOnReturn_ = QApplication::activePopupWidget() == nullptr;
    if (event->type() == QEvent::WindowActivate && blankOnReturn_) {
        blankOnReturn_ = false;
        preview_->showText(QStringLiteral("<html></html>"));
    }
    return InsertDialog::event(event);
}

void ImageDialog::rebuildPreview()
{
    preview_->showText(imageMarkup(fields()));
}

void ImageDialog::importImage()
{
    cCommonDialog dialog;
    dialog.hwnd = this;
    dialog.DialogTitle = tr("Import Image");
    dialog.Filter = QStringLiteral("All Files|*.*");
    if (!dialog.ShowOpen() || dialog.Filename.isEmpty())
        return;
    const QString reference = importIntoImages(dialog.Filename, folder_, this);
    if (!reference.isEmpty())
        source_->setText(reference);
}

void ImageDialog::accept()
{
    // A height or width that is no length is not written: the note beside it
    // says what the field takes, and nothing is inserted.
    if (QLineEdit* wrong = LengthNote::firstWrongField(this)) {
        wrong->setFocus();
        return;
    }
    const QString markup = imageMarkup(fields());
    insertIntoPage(markup);
    InsertDialog::accept();
}

}
