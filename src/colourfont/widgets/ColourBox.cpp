#include "colourfont/widgets/ColourBox.h"

#include "colourfont/widgets/ColourDialog.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace ink {

ColourBox::ColourBox(const QString& name, ColourValue colour, QWidget* parent)
    : QFrame(parent), colour_(colour)
{
    setObjectName(name);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
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
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(2, 2, -3, -3));
    }
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

namespace ink {

void ColourBox::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)
        emit pressed(Qt::LeftButton);
    else if (key == Qt::Key_Menu || (key == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier))
        emit pressed(Qt::RightButton);
    else
        QFrame::keyPressEvent(event);
}

}
