#include "app/widgets/StatusWaitDisplay.h"

#include <QApplication>
#include <QStatusBar>

namespace ink {

StatusWaitDisplay::StatusWaitDisplay(QStatusBar* bar) : bar_(bar)
{
    WaitDisplay::install(this);
}

StatusWaitDisplay::~StatusWaitDisplay()
{
    end();
    if (WaitDisplay::current() == this)
        WaitDisplay::install(nullptr);
}

void StatusWaitDisplay::begin(const QString& text)
{
    if (!cursorSet_) {
        QApplication::setOverrideCursor(Qt::BusyCursor);
        cursorSet_ = true;
    }
    update(text);
}

void StatusWaitDisplay::update(const QString& text)
{
    if (bar_)
        bar_->showMessage(text);
}

void StatusWaitDisplay::end()
{
    if (cursorSet_) {
        QApplication::restoreOverrideCursor();
        cursorSet_ = false;
    }
    if (bar_)
        bar_->clearMessage();
}

}
