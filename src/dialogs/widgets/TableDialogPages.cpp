// The widgets of the table dialog's three pages.
#include "dialogs/widgets/TableDialog.h"

#include "colourfont/widgets/ColorComboControl.h"
#include "colourfont/widgets/FontComboControl.h"
#include "dialogs/widgets/DialogPreview.h"
#include "dialogs/widgets/ImageListCombo.h"
#include "dialogs/widgets/LengthNote.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

namespace ink {

namespace {

template <typename W>
W* named(W* widget, const char* name, const QString& accessibleName)
{
    widget->setObjectName(QLatin1String(name));
    widget->setAccessibleName(accessibleName);
    return widget;
}

QRadioButton* option(const char* name, const QString& caption, QWidget* parent)
{
    return named(new QRadioButton(caption, parent), name, caption);
}

QWidget* row(std::initializer_list<QWidget*> widgets, QWidget* parent)
{
    auto* box = new QWidget(parent);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : widgets)
        layout->addWidget(w);
    layout->addStretch(1);
    return box;
}

// An editable combo box with an empty list, for a CSS border style.
QComboBox* freeTextCombo(const char* name, const QString& caption, QWidget* parent)
{
    auto* combo = named(new QComboBox(parent), name, caption);
    combo->setEditable(true);
    return combo;
}

}

QWidget* TableDialog::slider(QSlider*& out, const char* name, const QString& caption, int minimum,
                             int maximum, int value)
{
    auto* s = named(new QSlider(Qt::Horizontal, this), name, caption);
    s->setRange(minimum, maximum);
    s->setValue(value);
    s->setToolTip(caption);
    s->setMinimumWidth(160);
    auto* shown = new QLabel(QString::number(value), this);
    shown->setMinimumWidth(shown->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
    connect(s, &QSlider::valueChanged, shown, [shown](int v) { shown->setText(QString::number(v)); });
    out = s;
    return row({s, shown}, this);
}

ColorComboControl* TableDialog::colourCombo(const char* name, const QString& caption, QString* stored)
{
    auto* combo = named(new ColorComboControl(this), name, caption);
    combo->setColor(QStringLiteral("Black"));
    combo->setToolTip(caption);
    connect(combo, &ColorComboControl::click, this, [this, combo, stored] {
        if (const std::optional<QString> colour = combo->chosenColourText(ColourForm::Dialog, this))
            *stored = *colour;
    });
    return combo;
}

SizeField TableDialog::sizeField(const char* text, const char* plain, const char* percent,
                                 const QString& caption)
{
    SizeField f;
    f.text = named(new QLineEdit(this), text, caption);
    f.text->setMaximumWidth(80);
    f.plain = option(plain, QStringLiteral("Default"), this);
    f.percent = option(percent, QStringLiteral("Percentage"), this);
    auto* group = new QButtonGroup(this);
    group->addButton(f.plain);
    group->addButton(f.percent);
    f.plain->setChecked(true);
    return f;
}

QWidget* TableDialog::imageSource(const char* mask, const char* list, const char* import,
                                  QLineEdit** maskOut)
{
    auto* text = named(new QLineEdit(this), mask, QStringLiteral("Image Source"));
    auto* images = named(new ImageListCombo(context_.pageFolder, this), list, QStringLiteral("Images"));
    images->setToolTip(QStringLiteral("Images"));
    images->setMinimumWidth(24);
    auto* button = named(new QPushButton(QStringLiteral("Import"), this), import, QStringLiteral("Import"));
    connect(images, &ImageListCombo::droppingDown, this, [this] {
        if (context_.refreshFolderLists)
            context_.refreshFolderLists();
    });
    connect(images, &ImageListCombo::picked, this, [this, text](const QString& path) {
        text->setText(path);
        rebuildPreview();
    });
    connect(button, &QPushButton::clicked, this, [this, text] { importImage(text); });
    *maskOut = text;
    return row({text, images, button}, this);
}

QWidget* TableDialog::buildTablePage()
{
    auto* page = new QWidget;
    page->setAccessibleName(QStringLiteral("Table Properties"));
    auto* form = new QFormLayout(page);
    QWidget* rows = slider(rows_, "Slider1", QStringLiteral("Rows"), 1, 100, 2);
    QWidget* columns = slider(columns_, "Slider2", QStringLiteral("Columns"), 1, 100, 2);
    QWidget* borderSize = slider(borderSize_, "Slider3", QStringLiteral("Border Size"), 0, 100, 1);
    borderStyle_ = freeTextCombo("Text4", QStringLiteral("Borders"), this);
    font_ = named(new FontComboControl(this), "FontComboControl1", QStringLiteral("Font"));
    // The browsers' own default face: the table then names no font of its own.
    font_->setTheFont(QStringLiteral("Times New Roman"));
    QWidget* fontSize = slider(fontSize_, "Slider7", QStringLiteral("Font Size"), 1, 7, 3);
    height_ = sizeField("Text2", "Option1", "Option2", QStringLiteral("Height"));
    width_ = sizeField("Text3", "Option3", "Option4", QStringLiteral("Width"));
    width_.text->setText(QStringLiteral("100"));
    width_.percent->setChecked(true);
    form->addRow(QStringLiteral("Rows"), rows);
    form->addRow(QStringLiteral("Columns"), columns);
    form->addRow(QStringLiteral("Border Size"), borderSize);
    form->addRow(QStringLiteral("Borders"), borderStyle_);
    form->addRow(QStringLiteral("Border Color"),
                 colourCombo("ColorComboControl2", QStringLiteral("Border Color"), &colours_.borderColour));
    form->addRow(QStringLiteral("Back Color"),
                 colourCombo("ColorComboControl1", QStringLiteral("Back Color"), &colours_.backColour));
    form->addRow(QStringLiteral("Fore Color"),
                 colourCombo("ColorComboControl5", QStringLiteral("Fore Color"), &colours_.foreColour));
    form->addRow(QStringLiteral("Font"), font_);
    form->addRow(QStringLiteral("Font Size"), fontSize);
    form->addRow(QStringLiteral("Height"), row({height_.text, height_.plain, height_.percent}, this));
    form->addRow(QStringLiteral("Width"), row({width_.text, width_.plain, width_.percent}, this));
    form->addRow(QStringLiteral("Image Source"), imageSource("Combo1Mask", "Combo1", "Command1", &background_));
    LengthNote::attach(height_.text);
    LengthNote::attach(width_.text);
    return page;
}

QWidget* TableDialog::buildCellPage()
{
    auto* page = new QWidget;
    page->setAccessibleName(QStringLiteral("Cell Properties"));
    auto* form = new QFormLayout(page);
    QWidget* padding = slider(padding_, "Slider4", QStringLiteral("Cell Padding"), 0, 100, 0);
    QWidget* spacing = slider(spacing_, "Slider5", QStringLiteral("Cell Spacing"), 0, 100, 0);
    alignLeft_ = option("Option9", QStringLiteral("Left"), this);
    alignCenter_ = option("Option10", QStringLiteral("Center"), this);
    auto* alignRight = option("Option11", QStringLiteral("Right"), this);
    alignTop_ = option("Option14", QStringLiteral("Top"), this);
    alignMiddle_ = option("Option13", QStringLiteral("Middle"), this);
    auto* alignBottom = option("Option12", QStringLiteral("Bottom"), this);
    auto* horizontal = new QButtonGroup(this);
    for (QRadioButton* b : {alignLeft_, alignCenter_, alignRight})
        horizontal->addButton(b);
    auto* vertical = new QButtonGroup(this);
    for (QRadioButton* b : {alignTop_, alignMiddle_, alignBottom})
        vertical->addButton(b);
    alignLeft_->setChecked(true);
    alignMiddle_->setChecked(true);
    cellBorderStyle_ = freeTextCombo("Combo2", QStringLiteral("Borders"), this);
    QWidget* cellBorderSize = slider(cellBorderSize_, "Slider6", QStringLiteral("Border Size"), 0, 100, 0);
    cellHeight_ = sizeField("Text1", "Option5", "Option6", QStringLiteral("Height"));
    cellWidth_ = sizeField("Text5", "Option7", "Option8", QStringLiteral("Width"));
    static_ = named(new QCheckBox(QStringLiteral("Static"), this), "Check1", QStringLiteral("Static"));
    connect(static_, &QCheckBox::toggled, this, &TableDialog::staticToggled);

    form->addRow(QStringLiteral("Cell Padding"), padding);
    form->addRow(QStringLiteral("Cell Spacing"), spacing);
    form->addRow(QStringLiteral("Horizontal Alignment"), row({alignLeft_, alignCenter_, alignRight}, this));
    form->addRow(QStringLiteral("Vertical Alignment"), row({alignTop_, alignMiddle_, alignBottom}, this));
    form->addRow(QStringLiteral("Back Color"),
                 colourCombo("ColorComboControl3", QStringLiteral("Back Color"), &colours_.cellBackColour));
    form->addRow(QStringLiteral("Borders"), cellBorderStyle_);
    form->addRow(QStringLiteral("Border Color"),
                 colourCombo("ColorComboControl4", QStringLiteral("Border Color"), &colours_.cellBorderColour));
    form->addRow(QStringLiteral("Border Size"), cellBorderSize);
    form->addRow(QStringLiteral("Height"), row({cellHeight_.text, cellHeight_.plain, cellHeight_.percent}, this));
    form->addRow(QStringLiteral("Width"),
                 row({static_, cellWidth_.text, cellWidth_.plain, cellWidth_.percent}, this));
    form->addRow(QStringLiteral("Image Source"),
                 imageSource("Combo3Mask", "Combo3", "Command2", &cellBackground_));
    LengthNote::attach(cellHeight_.text);
    LengthNote::attach(cellWidth_.text);
    return page;
}

QWidget* TableDialog::buildFinishPage()
{
    auto* page = new QWidget;
    page->setAccessibleName(QStringLiteral("Finish"));
    auto* layout = new QVBoxLayout(page);
    preview_ = new DialogPreview(context_.pageFolder, page);
    preview_->setMinimumSize(360, 260);
    connect(preview_, &DialogPreview::loaded, this, &TableDialog::previewLoaded);
    ok_ = named(new QPushButton(QStringLiteral("OK"), page), "Command3", QStringLiteral("OK"));
    ok_->setDefault(true);
    auto* cancel = named(new QPushButton(QStringLiteral("Cancel"), page), "Command4", QStringLiteral("Cancel"));
    connect(ok_, &QPushButton::clicked, this, &TableDialog::insertAndClose);
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
    layout->addWidget(preview_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    return page;
}

}
