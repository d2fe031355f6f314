#pragma once
#include <QString>
#include <QVariant>

class QWebEnginePage;

namespace ink {

// Runs `script` in the editor's isolated world of `page` and waits for its
// answer, processing events (but no user input) meanwhile. Gives up after
// `timeoutMs`: `answered`, when given, then says false and the result is
// invalid. A late answer is dropped safely. A wait that lasts shows the
// busy cursor and says so in the status bar.
//
// The engine does not answer while it is itself waiting for the caller, so
// this must never run inside the engine's callbacks or signal handlers
// (loadFinished, another script's answer...): queue such work instead.
QVariant runScriptAndWait(QWebEnginePage* page, const QString& script, int timeoutMs,
                          bool* answered = nullptr);

}
