#pragma once
#include <QObject>
#include <QPointer>

class QWebEngineView;
class QWidget;

namespace ink {

// Reports the user's input on a web view. The engine renders into a child
// widget (the view's focus proxy) that it creates, and may replace, on its
// own; the watch follows it and reports what reaches it.
class WebEngineInputWatch : public QObject {
    Q_OBJECT
public:
    explicit WebEngineInputWatch(QWebEngineView* view);

signals:
    void leftButtonReleased();
    void keyReleased();
    // A key, a button, typed composition or a drop reached the view: the
    // document may change.
    void inputArrived();
    void focusIn();
    void focusOut();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void followFocusProxy();

    QWebEngineView* view_;
    QPointer<QWidget> watched_;
};

}
