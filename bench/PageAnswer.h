#pragma once
#include "BenchSupport.h"

#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineScript>

namespace bench {

// The page's answer to `script`, waited for with the bench's own event
// loop (no wait notice of the program's, which would hold back its work).
inline QVariant answer(QWebEnginePage* page, const QString& script, int ms = 120000)
{
    QVariant value;
    bool answered = false;
    page->runJavaScript(script, QWebEngineScript::ApplicationWorld, [&](const QVariant& v) {
        answered = true;
        value = v;
    });
    waitFor([&] { return answered; }, ms);
    return value;
}

}
