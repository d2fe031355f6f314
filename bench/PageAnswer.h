#pragma once
#include "BenchSupport.h"

#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineScript>

namespace bench {

// The page's answer to `script`, waited for with the bench's own event
// loop (no wait notice of the program's, which would hold back its work).
// The loop ends as the answer comes: a poll would add up to its period to
// every answer, more than some of the figures measured.
inline QVariant answer(QWebEnginePage* page, const QString& script, int ms = 120000)
{
    QVariant value;
    bool answered = false;
    QEventLoop loop;
    page->runJavaScript(script, QWebEngineScript::ApplicationWorld, [&](const QVariant& v) {
        answered = true;
        value = v;
        loop.quit();
    });
    if (!answered) {
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return value;
}

// Asks `script` again as soon as each answer comes, until it answers true:
// the engine answers once it is free, so the asking keeps its pace.
inline bool answersTrue(QWebEnginePage* page, const QString& script, int ms = 120000)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() <= ms) {
        if (answer(page, script, ms).toBool())
            return true;
    }
    return false;
}

}
