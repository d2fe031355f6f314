#pragma once
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <functional>

namespace inktest {

// Processes events until `done` holds or `ms` milliseconds pass; returns done().
inline bool waitUntil(const std::function<bool()>& done, int ms = 10000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

// Processes events for `ms` milliseconds.
inline void pump(int ms)
{
    waitUntil([] { return false; }, ms);
}

}
