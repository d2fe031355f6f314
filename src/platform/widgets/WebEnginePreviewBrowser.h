#pragma once
#include "platform/PreviewBrowser.h"

#include <QPointer>
#include <QUrl>

class QPrinter;
class QWebEngineView;

namespace ink {

class ScriptDialogPage;

// The browser view of a page on a QWebEngineView; the page's scripts run as
// in any browser, their alert boxes kept in check (ScriptDialogPage).
// print() and printPreview() wait in a nested event loop for the page to load and the engine to paint; failures are reported, so they must not be called from inside the
// engine's callbacks or signal handlers.
class WebEnginePreviewBrowser : public PreviewBrowser {
    Q_OBJECT
public:
    explicit WebEnginePreviewBrowser(QWidget* parent);
    ~WebEnginePreviewBrowser() override;

    QWidget* widget() override;
    void navigate(const QString& path) override;
    void refresh() override;
    QString locationName() const override;
    QString locationPath() const override;
    void print() override;
    void printPreview() override;

private:
    bool printAndWait(QPrinter* printer);
    void waitForLoad();
    bool freshPageAfterStoppedScript();
    void reportFailure(const QString& text);

    QPointer<QWebEngineView> view_;
    // Owned by the view; its alert boxes cannot lock the user out.
    ScriptDialogPage* page_;
    // The page asked for last, also while it is still loading.
    QUrl location_;
    bool loading_ = false;
};

}
