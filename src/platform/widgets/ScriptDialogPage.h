#pragma once
#include "platform/ScriptDialogGate.h"

#include <QWebEnginePage>

namespace ink {

// The page of a browser view that runs a page's scripts. The page's alert,
// confirm and prompt boxes are modal to the view's window only, and from
// the second one of a load on they carry a check box that stops the page's
// further boxes until it loads again (ScriptDialogGate).
class ScriptDialogPage : public QWebEnginePage {
    Q_OBJECT
public:
    explicit ScriptDialogPage(QObject* parent);

    // The program shows a page anew: the count starts again.
    void startCounting() { gate_.newLoad(); }
    // The user stopped the page's boxes: its script may still be running
    // (a loop that asked without end now spins without asking).
    bool dialogsStopped() const { return !gate_.allows(); }

    // The caption of the check box, for those who look for it.
    static QString stopCaption();

protected:
    void javaScriptAlert(const QUrl& origin, const QString& message) override;
    bool javaScriptConfirm(const QUrl& origin, const QString& message) override;
    bool javaScriptPrompt(const QUrl& origin, const QString& message, const QString& value,
                          QString* result) override;

private:
    enum class Kind { Alert, Confirm, Prompt };
    bool ask(Kind kind, const QString& message, const QString& value, QString* result);

    ScriptDialogGate gate_;
    QUrl countedUrl_;
};

}
