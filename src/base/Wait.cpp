#include "base/Wait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>

namespace ink {

namespace {
int nesting = 0;
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
    QElapsedTimer clock;
    clock.start();
    const qint64 total = static_cast<qint64>(seconds * 1000.0);
    while (clock.elapsed() < total) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (clock.elapsed() < total)
            QThread::msleep(2);
    }
}

}
