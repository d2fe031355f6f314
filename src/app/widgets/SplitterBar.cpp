#include "app/widgets/SplitterBar.h"

#include "base/Twips.h"

#include <QMouseEvent>
#include <algorithm>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOption>

namespace ink {

namespace {
double xTwips(const QMouseEvent* event)
{
    return event->position().x() * TwipsPerPixel;
}
}

SplitterBar::SplitterBar(QWidget* parent) : QWidget(parent)
{
    setObjectName("Picture5");
    setAccessibleName("Side panel splitter");
    setCursor(Qt::SplitHCursor);
}

void SplitterBar::mousePressEvent(QMouseEvent* event)
{
    emit pressed(xTwips(event));
}

void SplitterBar::mouseMoveEvent(QMouseEvent* event)
{
    emit moved(xTwips(event));
}

void SplitterBar::mouseReleaseEvent(QMouseEvent* event)
{
    emit released(xTwips(event));
}

void SplitterBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    option.state |= QStyle::State_Horizontal;
    style()->drawControl(QStyle::CE_Splitter, &option, &painter, this);
}

DragBar::DragBar(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint)
{
    setObjectName("frmdragbar");
    setAccessibleName("Splitter position");
    setAttribute(Qt::WA_ShowWithoutActivating);
    scrollBar_ = new QScrollBar(Qt::Vertical, this);
    scrollBar_->setObjectName("VScroll1");
    scrollBar_->setAccessibleName("Splitter position");
    scrollBar_->setEnabled(false);
}

void DragBar::place(double left, double top, double height, double scrollBarHeight)
{
    const int width = scrollBar_->sizeHint().width();
    setGeometry(twipsToPixels(left), twipsToPixels(top), width, std::max(1, twipsToPixels(height)));
    scrollBar_->setGeometry(0, 0, width, std::max(1, twipsToPixels(scrollBarHeight)));
}

}
