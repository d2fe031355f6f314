#include "editing/widgets/QuickTableMaker.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

namespace ink {

QuickTableMaker::QuickTableMaker(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Picture4"));
    setAccessibleName(QStringLiteral("Quick table"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 6, 6, 6);
    columns_ = addSlider("Slider2", QStringLiteral("Columns"), 1, 10);
    rows_ = addSlider("Slider3", QStringLiteral("Rows"), 1, 10);
    spacing_ = addSlider("Slider4", QStringLiteral("Spacing"), 0, 100);
    padding_ = addSlider("Slider5", QStringLiteral("Padding"), 0, 100);

    border_ = new QCheckBox(QStringLiteral("Border"), this);
    border_->setObjectName(QStringLiteral("Check1"));
    border_->setAccessibleName(QStringLiteral("Border"));
    fixedWidth_ = new QCheckBox(QStringLiteral("Static"), this);
    fixedWidth_->setObjectName(QStringLiteral("Check2"));
    fixedWidth_->setAccessibleName(QStringLiteral("Static"));
    make_ = new QPushButton(QStringLiteral("Make"), this);
    make_->setObjectName(QStringLiteral("Command1"));
    make_->setAccessibleName(QStringLiteral("Make"));
    // The document keeps the keyboard focus while the user makes tables.
    make_->setFocusPolicy(Qt::NoFocus);
    connect(make_, &QPushButton::clicked, this, &QuickTableMaker::makeClicked);

    const int row = grid->rowCount();
    grid->addWidget(border_, row, 0);
    grid->addWidget(fixedWidth_, row, 1);
    grid->addWidget(make_, row + 1, 0, 1, 3);
    grid->setRowStretch(row + 2, 1);
    grid->setColumnStretch(1, 1);
}

QSlider* QuickTableMaker::addSlider(const char* name, const QString& tip, int minimum, int maximum)
{
    auto* grid = static_cast<QGridLayout*>(layout());
    const int row = grid->rowCount();
    auto* label = new QLabel(tip, this);
    auto* value = new QLabel(QString::number(minimum), this);
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("000")));
    auto* slider = new QSlider(Qt::Horizontal, this);
    slider->setObjectName(QLatin1String(name));
    slider->setRange(minimum, maximum);
    slider->setValue(minimum);
    slider->setToolTip(tip);
    slider->setAccessibleName(tip);
    label->setBuddy(slider);
    connect(slider, &QSlider::valueChanged, value,
            [value](int v) { value->setText(QString::number(v)); });
    grid->addWidget(label, row, 0);
    grid->addWidget(slider, row, 1);
    grid->addWidget(value, row, 2);
    return slider;
}

QuickTable QuickTableMaker::values() const
{
    QuickTable t;
    t.columns = columns_->value();
    t.rows = rows_->value();
    t.spacing = spacing_->value();
    t.padding = padding_->value();
    t.border = border_->isChecked();
    t.fixedWidth = fixedWidth_->isChecked();
    return t;
}

}
