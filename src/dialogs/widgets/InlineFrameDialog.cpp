#include "dialogs/widgets/InlineFrameDialog.h"

#include "dialogs/widgets/DialogPreview.h"
#include "dialogs/widgets/LengthNote.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace ink {

namespace {

template <typename W>
W* named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setAccessibleName(widget->property("text").toString());
    return widget;
}

} // namespace

InlineFrameDialog::InlineFrameDialog(const InsertDialogHost& host)
    : InsertDialog(host, tr("Inline Frame")),
      source_(new FileListCombo(QStringLiteral("Combo1"), host.folderFiles(), this)),
      name_(named(new QLineEdit(this), "Text1")), border_(named(new QCheckBox(tr("Border"), this), "Check1")),
      scrolling_(named(new QCheckBox(tr("Scrolling"), this), "Check2")),
      alignLeft_(named(new QRadioButton(tr("Left"), this), "Option5")),
      alignCenter_(named(new QRadioButton(tr("Center"), this), "Option6")),
      alignRight_(named(new QRadioButton(tr("Right"), this), "Option7")),
      alignNone_(named(new QRadioButton(tr("No"), this), "Option8")),
      height_(named(new QLineEdit(this), "Text2")),
      heightPercent_(named(new QRadioButton(tr("Percentage"), this), "Option2")),
      width_(named(new QLineEdit(this), "Text3")),
      widthPercent_(named(new QRadioButton(tr("Percentage"), this), "Option4")),
      preview_(new DialogPreview(host.pageFolder(), this))
{
    setObjectName(QStringLiteral("frmIframe"));
    auto* test = named(new QPushButton(tr("Test"), this), "Command1");
    auto* heightDefault = named(new QRadioButton(tr("Default"), this), "Option1");
    auto* widthDefault = named(new QRadioButton(tr("Default"), this), "Option3");
    alignNone_->setChecked(true);
    auto* alignGroup = optionRow({alignLeft_, alignCenter_, alignRight_, alignNone_});
    auto* heightRow = optionRow({height_, heightDefault, heightPercent_});
    auto* widthRow = optionRow({width_, widthDefault, widthPercent_});
    heightDefault->setChecked(true);
    widthDefault->setChecked(true);
    LengthNote::attach(height_);
    LengthNote::attach(width_);

    auto* sourceBox = framed(tr("Source"), source_);
    sourceBox->layout()->addWidget(test);
    auto* fields = new QVBoxLayout;
    fields->addWidget(sourceBox);
    fields->addWidget(framed(tr("Name"), name_));
    fields->addWidget(framed(tr("Options"), optionRow({border_, scrolling_})));
    fields->addWidget(framed(tr("Align"), alignGroup));
    fields->addWidget(framed(tr("Height"), heightRow));
    fields->addWidget(framed(tr("Width"), widthRow));
    height_->setAccessibleName(tr("Height"));
    width_->setAccessibleName(tr("Width"));
    layOutBesidePreview(fields, preview_, "Command2", "Command3");
    resize(820, 520);

    connect(source_, &QComboBox::textActivated, this, &InlineFrameDialog::rebuildPreview);
    connect(test, &QPushButton::clicked, this, &InlineFrameDialog::rebuildPreview);
    for (QCheckBox* box : {border_, scrolling_})
        connect(box, &QCheckBox::clicked, this, &InlineFrameDialog::rebuildPreview);
    for (QRadioButton* button : {alignLeft_, alignCenter_, alignRight_, heightDefault, heightPercent_,
                                 widthDefault, widthPercent_})
        connect(button, &QRadioButton::clicked, this, &InlineFrameDialog::rebuildPreview);
    for (QLineEdit* edit : {height_, width_})
        connect(edit, &QLineEdit::textChanged, this, &InlineFrameDialog::rebuildPreview);
    rebuildPreview();
}

QWidget* InlineFrameDialog::optionRow(std::initializer_list<QWidget*> widgets)
{
    // Each row is its own parent, so its radio buttons form one group.
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* widget : widgets) {
        widget->setParent(row);
        layout->addWidget(widget);
    }
    return row;
}

InlineFrameFields InlineFrameDialog::fields() const
{
    FrameAlign align = FrameAlign::None;
    if (alignLeft_->isChecked())
        align = FrameAlign::Left;
    else if (alignCenter_->isChecked())
        align = FrameAlign::Center;
    else if (alignRight_->isChecked())
        align = FrameAlign::Right;
    return {source_->currentText(),
            name_->text(),
            border_->isChecked(),
            scrolling_->isChecked(),
            align,
            {height_->text(), heightPercent_->isChecked()},
            {width_->text(), widthPercent_->isChecked()}};
}

bool InlineFrameDialog::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        rebuildPreview();
    return InsertDialog::event(event);
}

void InlineFrameDialog::rebuildPreview()
{
    preview_->showText(inlineFrameMarkup(fields()));
}

void InlineFrameDialog::accept()
{
    if (QLineEdit* wrong = LengthNote::firstWrongField(this)) {
        wrong->setFocus();
        return;
    }
    // What the fields say now, also what was typed since the last preview.
    const QString markup = inlineFrameMarkup(fields());
    const EditTarget target = host_.target();
    if (target.designView) {
        pasteAtDesignSelection(target, markup);
        focusDocument(target);
    } else {
        replaceCodeSelection(target, markup);
    }
    InsertDialog::accept();
}

}
