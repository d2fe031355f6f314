#include "colourfont/widgets/ColorComboControl.h"

#include "colourfont/widgets/ColourDialog.h"

#include <QComboBox>
#include <QPainter>
#include <QPixmap>

namespace ink {

namespace {

QIcon swatchIcon(const QColor& colour)
{
    QPixmap pixmap(16, 12);
    pixmap.fill(colour);
    QPainter painter(&pixmap);
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(0, 0, 15, 11);
    return QIcon(pixmap);
}

QIcon swatchIcon(ColourValue value)
{
    return swatchIcon(toQColor(value));
}

const QString PlainTip = QStringLiteral("Color");

}

ColorComboControl::ColorComboControl(QWidget* parent)
    : QWidget(parent)
    , combo_(new QComboBox(this))
{
    combo_->setObjectName(QStringLiteral("ColorCombo"));
    combo_->setIconSize(QSize(16, 12));
    combo_->setMaxVisibleItems(CustomItem);
    for (const NamedColour& colour : namedColours())
        combo_->addItem(swatchIcon(colour.swatch), QString::fromLatin1(colour.name));
    // "Custom..." shows the first (black) swatch.
    combo_->addItem(swatchIcon(namedColours().front().swatch), customColourName());
    combo_->setCurrentIndex(0);
    setAccessibleName(QStringLiteral("Color"));
    combo_->setAccessibleName(QStringLiteral("Color"));
    setToolTip(PlainTip);
    setFocusProxy(combo_);
    setSizePolicy(combo_->sizePolicy());
    connect(combo_, &QComboBox::activated, this, [this] { emit click(); });
}

QString ColorComboControl::Color() const
{
    return combo_->currentIndex() >= 0 ? combo_->currentText() : combo_->placeholderText();
}

void ColorComboControl::setColor(const QString& text)
{
    const int index = combo_->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0)
        combo_->setPlaceholderText(text);
    combo_->setCurrentIndex(index);
}

int ColorComboControl::comboitem() const
{
    return combo_->currentIndex() + 1;
}

void ColorComboControl::setComboitem(int number)
{
    if (number >= 1 && number <= combo_->count())
        combo_->setCurrentIndex(number - 1);
}

void ColorComboControl::showCustomColour(const QString& colourText)
{
    const int custom = combo_->count() - 1;
    const QColor colour(colourText.trimmed());
    if (!colour.isValid()) {
        combo_->setItemIcon(custom, swatchIcon(namedColours().front().swatch));
        combo_->setItemData(custom, QVariant(), Qt::ToolTipRole);
        setToolTip(PlainTip);
        combo_->setToolTip(QString());
        return;
    }
    const QString tip = QStringLiteral("Custom color %1").arg(colour.name());
    combo_->setItemIcon(custom, swatchIcon(colour));
    combo_->setItemData(custom, tip, Qt::ToolTipRole);
    setToolTip(tip);
    combo_->setToolTip(tip);
}

std::optional<QString> ColorComboControl::chosenColourText(ColourForm form, QWidget* dialogOwner) const
{
    const QString name = Color();
    if (name == customColourName()) {
        const std::optional<ColourValue> chosen = chooseColour(dialogOwner ? dialogOwner : window());
        if (!chosen)
            return std::nullopt;
        return clrlong2hex(*chosen);
    }
    const QString text = namedColourText(name, form);
    if (text.isEmpty())
        return std::nullopt;
    return text;
}

QSize ColorComboControl::sizeHint() const
{
    return combo_->sizeHint();
}

void ColorComboControl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    combo_->setGeometry(0, 0, width(), height());
}

}
