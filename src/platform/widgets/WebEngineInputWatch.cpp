#include "platform/widgets/WebEngineInputWatch.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWebEngineView>

namespace ink {

WebEngineInputWatch::WebEngineInputWatch(QWebEngineView* view)
    : QObject(view)
    , view_(view)
{
    view_->installEventFilter(this);
    followFocusProxy();
}

void WebEngineInputWatch::followFocusProxy()
{
    QWidget* proxy = view_->focusProxy();
    if (!proxy || proxy == watched_)
        return;
    if (watched_)
        watched_->removeEventFilter(this);
    watched_ = proxy;
    watched_->installEventFilter(this);
}

bool WebEngineInputWatch::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == view_) {
        if (event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildPolished
            || event->type() == QEvent::Show)
            followFocusProxy();
        return false;
    }
    if (watched != watched_)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::InputMethod:
    case QEvent::Drop:
        emit inputArrived();
        break;
    default:
        break;
    }
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
        emit inputArrived();
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            emit leftButtonReleased();
        break;
    case QEvent::KeyRelease:
        emit inputArrived();
        // A key held down repeats as presses and releases, but the page
        // sees only the release that lets it go: the key is told of then,
        // as the page's count of releases has it.
        if (!static_cast<QKeyEvent*>(event)->isAutoRepeat())
            emit keyReleased();
        break;
    case QEvent::FocusIn:
        emit focusIn();
        break;
    case QEvent::FocusOut:
        emit focusOut();
        break;
    default:
        break;
    }
    return false;
}

}
