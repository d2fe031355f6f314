#pragma once
#include <QObject>
#include <QPointer>
#include <memory>
#include <vector>

class QEvent;
class QTimer;
class QWidget;

namespace ink {

class DesignSurface;

// Keys typed right after File > New Page reach the new Design view before
// its page has loaded, and the engine drops them. While the hold catches,
// key and input-method events bound for any widget of `window` are kept
// back instead (but for the other boxes of the new `document` window, which
// take keys at once); once the page is ready they go to the Design view in
// the order they came, or, were the Design view hidden by then, each where
// it was bound for. Shortcuts are not held: they run at once.
class EarlyInputHold : public QObject {
    Q_OBJECT
public:
    EarlyInputHold(QWidget* window, QWidget* document, DesignSurface* design);
    ~EarlyInputHold() override;

    // Lets later keys through; what was caught is still delivered when the
    // page is ready. A newer hold calls this on the older one.
    void stopCatching();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Held {
        QPointer<QWidget> receiver;
        std::unique_ptr<QEvent> event;
    };

    void release();

    QPointer<QWidget> window_;
    QPointer<QWidget> document_;
    QPointer<DesignSurface> design_;
    std::vector<Held> held_;
    QTimer* giveUp_;
    bool catching_ = true;
    bool releasing_ = false;
};

}
