#include "platform/widgets/WebEngineScriptWait.h"

#include "base/Wait.h"

#include <QEventLoop>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <memory>

namespace ink {

namespace {

// Shared by the waiting call and the engine's callback, which may outlive
// the call when it times out: the callback only ever touches this.
struct PendingAnswer {
    QVariant value;
    bool done = false;
    QEventLoop* loop = nullptr;
};

}

QVariant runScriptAndWait(QWebEnginePage* page, const QString& script, int timeoutMs,
                          bool* answered)
{
    auto pending = std::make_shared<PendingAnswer>();
    if (page) {
        page->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                            [pending](const QVariant& value) {
                                pending->value = value;
                                pending->done = true;
                                if (pending->loop)
                                    pending->loop->quit();
                            });
        if (!pending->done) {
            NestedEventLoop nested;
            const WaitNotice notice(QStringLiteral("Waiting for the Design view..."));
            QEventLoop loop;
            pending->loop = &loop;
            QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
            loop.exec(QEventLoop::ExcludeUserInputEvents);
            pending->loop = nullptr;
        }
    }
    if (answered)
        *answered = pending->done;
    return pending->done ? pending->value : QVariant();
}

}
