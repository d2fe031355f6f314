#include "colourfont/widgets/ColourBox.h"

#include "colourfont/widgets/ColourDialog.h"

#include <QMouseEvent>
#include <QPainter>

namespace ink {

ColourBox::ColourBox(const QString& name, ColourValue colour, QWidget* parent)
    : QFrame(parent), colour_(colour)
{
    setObjectName(name);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setCursor(Qt::PointingHandCursor);
}

void ColourBox::setColour(ColourValue colour)
{
    if (!isColourValue(colour) || colour == colour_)
        return;
    colour_ = colour;
    update();
}

void ColourBox::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(colour_));
    painter.end();
    QFrame::paintEvent(event);
}

void ColourBox::mousePressEvent(QMouseEvent* event)
{
    // A picker drawn on another box takes the press for itself.
    event->accept();
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)
        emit pressed(event->button());
}

}
