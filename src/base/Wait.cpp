#include "base/Wait.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QList>
#include <QTimer>

namespace ink {

namespace {
int nesting = 0;
WaitDisplay* display = nullptr;
// Notices showing now, outermost first.
QList<const WaitNotice*> shownNotices;
}

NestedEventLoop::NestedEventLoop()
{
    ++nesting;
}

NestedEventLoop::~NestedEventLoop()
{
    --nesting;
}

int NestedEventLoop::depth()
{
    return nesting;
}

void waitSeconds(double seconds)
{
    NestedEventLoop nested;
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000.0), &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::AllEvents);
}

void processPendingEvents()
{
    NestedEventLoop nested;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

EventWait::EventWait(std::function<bool()> done, int recheckMs)
    : done_(std::move(done)), recheckMs_(recheckMs)
{
}

EventWait::~EventWait() = default;

void EventWait::wake()
{
    if (loop_ && done_())
        static_cast<QEventLoop*>(loop_)->quit();
}

void EventWait::exec(bool excludeUserInput)
{
    if (done_())
        return;
    NestedEventLoop nested;
    QEventLoop loop;
    QTimer recheck;
    connect(&recheck, &QTimer::timeout, this, &EventWait::wake);
    recheck.start(recheckMs_);
    loop_ = &loop;
    loop.exec(excludeUserInput ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents);
    loop_ = nullptr;
}

void WaitDisplay::install(WaitDisplay* d)
{
    display = d;
}

WaitDisplay* WaitDisplay::current()
{
    return display;
}

WaitNotice::WaitNotice(const QString& text, int delayMs)
    : text_(text), timer_(new QTimer)
{
    timer_->setSingleShot(true);
    QObject::connect(timer_, &QTimer::timeout, [this] { show(); });
    if (delayMs <= 0)
        show();
    else
        timer_->start(delayMs);
}

WaitNotice::~WaitNotice()
{
    delete timer_;
    if (!shown_)
        return;
    shownNotices.removeOne(this);
    if (!display)
        return;
    if (shownNotices.isEmpty())
        display->end();
    else
        display->update(shownNotices.last()->text_);
}

void WaitNotice::setText(const QString& text)
{
    text_ = text;
    if (shown_ && display && shownNotices.last() == this)
        display->update(text_);
}

void WaitNotice::show()
{
    if (shown_)
        return;
    shown_ = true;
    shownNotices << this;
    if (!display)
        return;
    if (shownNotices.size() == 1)
        display->begin(text_);
    else
        display->update(text_);
}

}
