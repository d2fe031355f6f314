#include "dialogs/widgets/StyledInsertDialogs.h"

#include "colourfont/widgets/FontComboControl.h"
#include "dialogs/widgets/ColourChoice.h"
#include "dialogs/widgets/DialogPreview.h"
#include "document/DocumentRoutines.h"
#include "platform/DesignSurface.h"

#include <QBoxLayout>
#include <QEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>

namespace ink {

namespace {

template <typename W>
W* named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QSlider* newSlider(QWidget* parent, const char* name, int minimum, int maximum, int value)
{
    auto* slider = named(new QSlider(Qt::Horizontal, parent), name);
    slider->setRange(minimum, maximum);
    slider->setValue(value);
    return slider;
}

ColourChoice* colourChoice(QWidget* parent, const char* name, const QString& shown, const QString& colour,
                           bool askCustom)
{
    return new ColourChoice(named(new ColorComboControl(parent), name), shown, colour, askCustom);
}

QWidget* row(QWidget* parent, std::initializer_list<QWidget*> widgets)
{
    auto* holder = new QWidget(parent);
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* widget : widgets) {
        widget->setParent(holder);
        widget->setAccessibleName(widget->property("text").toString());
        layout->addWidget(widget);
    }
    return holder;
}

// Rebuilds on a release of the slider's knob and on a step by key or click.
template <typename Dialog>
void rebuildOnSlide(QSlider* slider, Dialog* dialog, void (Dialog::*rebuild)())
{
    QObject::connect(slider, &QSlider::sliderReleased, dialog, rebuild);
    QObject::connect(slider, &QSlider::actionTriggered, dialog, [dialog, rebuild, slider](int action) {
        if (action != QAbstractSlider::SliderMove)
            QMetaObject::invokeMethod(dialog, rebuild, Qt::QueuedConnection);
        Q_UNUSED(slider);
    });
}

} // namespace

HyperbuttonDialog::HyperbuttonDialog(const InsertDialogHost& host)
    : InsertDialog(host, tr("Hyperbutton")), caption_(named(new QLineEdit(this), "Text1")),
      address_(new FileListCombo(QStringLiteral("Text4"), host.folderFiles(), this)),
      font_(named(new FontComboControl(this), "FontComboControl1")),
      size_(newSlider(this, "Slider4", 1, 7, 3)),
      fore_(colourChoice(this, "ColorComboControl1", QStringLiteral("Black"),
                         namedColourText(QStringLiteral("Black"), ColourForm::Dialog), false)),
      back_(colourChoice(this, "ColorComboControl2", QStringLiteral("Silver"),
                         namedColourText(QStringLiteral("Silver"), ColourForm::Dialog), false)),
      preview_(new DialogPreview(host.pageFolder(), this))
{
    setObjectName(QStringLiteral("frmLinkButton"));
    auto* fields = new QVBoxLayout;
    fields->addWidget(framed(tr("Text"), caption_));
    fields->addWidget(framed(tr("Internet Address"), address_));
    fields->addWidget(framed(tr("Font"), font_));
    fields->addWidget(framedSlider(tr("Font Size"), size_));
    fields->addWidget(framed(tr("Fore Color"), fore_->combo()));
    fields->addWidget(framed(tr("Back Color"), back_->combo()));
    layOutBesidePreview(fields, preview_, "Command1", "Command2");
    resize(760, 460);

    caption_->setText(initialText([](DesignSurface* design) {
        const QString type = design->selectionType();
        QString html;
        if (type == QLatin1String("Control"))
            html = design->controlOuterHtml();
        else if (type == QLatin1String("None") || type == QLatin1String("Text"))
            html = design->selectionHtmlText();
        return stripBlockWrapper(html);
    }));
    connect(caption_, &QLineEdit::textChanged, this, &HyperbuttonDialog::rebuildPreview);
    connect(address_, &QComboBox::editTextChanged, this, &HyperbuttonDialog::rebuildPreview);
    connect(address_, &FileListCombo::droppedDown, this, &HyperbuttonDialog::rebuildPreview);
    connect(font_, &FontComboControl::click, this, &HyperbuttonDialog::rebuildPreview);
    connect(fore_, &ColourChoice::picked, this, &HyperbuttonDialog::rebuildPreview);
    connect(back_, &ColourChoice::picked, this, &HyperbuttonDialog::rebuildPreview);
    rebuildOnSlide(size_, this, &HyperbuttonDialog::rebuildPreview);
    preview_->showText(QStringLiteral("<html></html>"));
    rebuildPreview();
}

HyperbuttonFields HyperbuttonDialog::fields() const
{
    return {caption_->text(), address_->currentText(), font_->CurFont(), size_->value(), fore_->colour(),
            back_->colour()};
}

bool HyperbuttonDialog::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        rebuildPreview();
    return InsertDialog::event(event);
}

void HyperbuttonDialog::rebuildPreview()
{
    preview_->showText(hyperbuttonMarkup(fields()));
}

void HyperbuttonDialog::accept()
{
    const QString markup = hyperbuttonMarkup(fields());
    insertIntoPage(markup);
    InsertDialog::accept();
}

MarqueeDialog::MarqueeDialog(const InsertDialogHost& host)
    : InsertDialog(host, tr("Marquee")), text_(named(new QLineEdit(this), "Text1")),
      slide_(named(new QRadioButton(tr("Slide"), this), "Option2")),
      alternate_(named(new QRadioButton(tr("Alternate"), this), "Option3")),
      right_(named(new QRadioButton(tr("Right"), this), "Option5")), loop_(newSlider(this, "Slider1", 0, 100, 0)),
      delay_(newSlider(this, "Slider2", 0, 1000, 0)), amount_(newSlider(this, "Slider3", 0, 100, 0)),
      font_(named(new FontComboControl(this), "FontComboControl1")), size_(newSlider(this, "Slider4", 1, 7, 3)),
      fore_(nullptr), back_(nullptr), preview_(new DialogPreview(host.pageFolder(), this))
{
    setObjectName(QStringLiteral("frmMarquee"));
    // The colours start as the page has them: the text colour at the caret
    // and the page's background.
    const EditTarget target = host.target();
    const QString foreStart = target.design ? target.design->execCommand(DesignCmd::GetForeColor,
                                                                         DesignOpt::DontPromptUser)
                                            : QString();
    fore_ = colourChoice(this, "ColorComboControl1", customColourName(), foreStart, true);
    back_ = colourChoice(this, "ColorComboControl2", customColourName(), pageBackground(), true);
    auto* scroll = named(new QRadioButton(tr("Scroll"), this), "Option1");
    auto* left = named(new QRadioButton(tr("Left"), this), "Option4");

    // Two columns of fields, so that the dialog fits a small screen: what the
    // marquee does on the left, how its text looks on the right.
    auto* motion = new QVBoxLayout;
    motion->addWidget(framed(tr("Text"), text_));
    motion->addWidget(framed(tr("Behavior"), row(this, {scroll, slide_, alternate_})));
    motion->addWidget(framed(tr("Direction"), row(this, {left, right_})));
    // Checked once each group has its own parent, so the two do not clear each other.
    scroll->setChecked(true);
    left->setChecked(true);
    motion->addWidget(framedSlider(tr("Loop"), loop_));
    motion->addWidget(framedSlider(tr("Delay"), delay_));
    motion->addWidget(framedSlider(tr("Amount"), amount_));
    motion->addStretch(1);
    auto* looks = new QVBoxLayout;
    looks->addWidget(framed(tr("Font"), font_));
    looks->addWidget(framedSlider(tr("Font Size"), size_));
    looks->addWidget(framed(tr("Fore Color"), fore_->combo()));
    looks->addWidget(framed(tr("Back Color"), back_->combo()));
    looks->addStretch(1);
    auto* fields = new QHBoxLayout;
    fields->addLayout(motion);
    fields->addLayout(looks);
    layOutBesidePreview(fields, preview_, "Command1", "Command2");
    resize(900, 480);

    text_->setText(initialText([](DesignSurface* design) { return design->selectionHtmlText(); }));
    connect(text_, &QLineEdit::textChanged, this, &MarqueeDialog::rebuildPreview);
    for (QRadioButton* option : {scroll, slide_, alternate_, left, right_})
        connect(option, &QRadioButton::clicked, this, &MarqueeDialog::rebuildPreview);
    for (QSlider* slider : {loop_, delay_, amount_, size_})
        connect(slider, &QSlider::sliderReleased, this, &MarqueeDialog::rebuildPreview);
    rebuildOnSlide(size_, this, &MarqueeDialog::rebuildPreview);
    connect(font_, &FontComboControl::click, this, &MarqueeDialog::rebuildPreview);
    connect(fore_, &ColourChoice::picked, this, &MarqueeDialog::rebuildPreview);
    connect(back_, &ColourChoice::picked, this, &MarqueeDialog::rebuildPreview);
    preview_->showText(QStringLiteral("<html></html>"));
    rebuildPreview();
}

QString MarqueeDialog::pageBackground() const
{
    const EditTarget target = host_.target();
    return target.design ? target.design->bgColor() : QString();
}

MarqueeFields MarqueeDialog::fields() const
{
    MarqueeFields marquee;
    marquee.text = text_->text();
    marquee.behaviour = slide_->isChecked()       ? MarqueeBehaviour::Slide
                        : alternate_->isChecked() ? MarqueeBehaviour::Alternate
                                                  : MarqueeBehaviour::Scroll;
    marquee.directionRight = right_->isChecked();
    marquee.loop = loop_->value();
    marquee.delay = delay_->value();
    marquee.amount = amount_->value();
    marquee.fontName = font_->CurFont();
    marquee.sizeStep = size_->value();
    marquee.foreColour = fore_->colour();
    marquee.backColour = back_->colour();
    return marquee;
}

bool MarqueeDialog::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        rebuildPreview();
    return InsertDialog::event(event);
}

void MarqueeDialog::rebuildPreview()
{
    preview_->showText(marqueePreview(fields(), pageBackground()));
}

void MarqueeDialog::accept()
{
    const MarqueeFields marquee = fields();
    const EditTarget target = host_.target();
    if (target.designView)
        pasteAtDesignSelection(target, marqueeMarkup(marquee));
    else
        applyCodeEdit(target, marqueeCodeEdit(marquee));
    InsertDialog::accept();
}

}
