#include "base/widgets/WindowRules.h"

#include "base/ScreenFit.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace ink {

namespace {

// A window the user moves about: no pop-up, tool tip or splash.
bool isMovableWindow(const QWidget* widget)
{
    if (!widget->isWindow())
        return false;
    switch (widget->windowType()) {
    case Qt::Popup:
    case Qt::ToolTip:
    case Qt::SplashScreen:
    case Qt::Desktop:
        return false;
    default:
        return true;
    }
}

// A movable window in its normal state: the window system sizes the others.
bool isPlacedWindow(const QWidget* widget)
{
    return isMovableWindow(widget)
        && !(widget->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized));
}

// The frame the window system puts around the client area. Before a window
// is first mapped the frame is not known yet: a title bar of the style's
// height is assumed, so that a window placed now still fits once framed.
QMargins frameMargins(const QWidget* window)
{
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    if (frame != client) {
        return QMargins(client.left() - frame.left(), client.top() - frame.top(),
                        frame.right() - client.right(), frame.bottom() - client.bottom());
    }
    if (window->windowFlags() & Qt::FramelessWindowHint)
        return QMargins();
    return QMargins(0, window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window), 0, 0);
}

QScreen* screenOf(const QWidget* window)
{
    const QRect client = window->geometry();
    if (QScreen* screen = QGuiApplication::screenAt(client.center()))
        return screen;
    if (const QWidget* owner = window->parentWidget())
        return owner->screen();
    return window->screen() ? window->screen() : QGuiApplication::primaryScreen();
}

void fit(QWidget* window, bool mayMove)
{
    const QScreen* screen = screenOf(window);
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QMargins margins = frameMargins(window);
    const QSize largest = clientSizeWithin(area, margins);
    const QSize size = window->size().boundedTo(largest).expandedTo(window->minimumSize());
    if (size != window->size())
        window->resize(size);
    if (!mayMove)
        return;
    const QRect frame = window->geometry().marginsAdded(margins);
    const QRect within = frameWithin(frame, area);
    // The client area is placed, not the frame: the window system puts its
    // frame around it, whether it is known yet or not.
    if (within.topLeft() != frame.topLeft())
        window->setGeometry(within.marginsRemoved(margins));
}

// The text field of an editable combo box is what a screen reader lands on:
// one the program left unnamed takes its combo's name (or tool tip).
void nameComboTextFields(QWidget* window)
{
    for (QComboBox* combo : window->findChildren<QComboBox*>()) {
        QLineEdit* edit = combo->lineEdit();
        if (!edit || !edit->accessibleName().isEmpty())
            continue;
        const QString name = combo->accessibleName().isEmpty() ? combo->toolTip() : combo->accessibleName();
        if (!name.isEmpty())
            edit->setAccessibleName(name);
    }
}

class ScreenRule : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Only a show the program asked for: a window the user brings back
        // from the task bar stays where the user left it.
        if (event->type() == QEvent::Show && !event->spontaneous() && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (isMovableWindow(widget))
                nameComboTextFields(widget);
            if (isPlacedWindow(widget)) {
                // A dialog left unplaced is centred over its owner by Qt,
                // within the screen; only its size needs a look.
                const bool placedByProgram = widget->testAttribute(Qt::WA_Moved)
                    || !qobject_cast<QDialog*>(widget);
                fit(widget, placedByProgram);
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

// Qt exposes a plain QWidget window as an anonymous client pane; the program's
// tool windows are windows the user moves and closes, and are named by their
// title.
QAccessibleInterface* toolWindowAccessible(const QString& className, QObject* object)
{
    if (className != QLatin1String("QWidget") || !object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (!isMovableWindow(widget))
        return nullptr;
    return new QAccessibleWidget(widget, QAccessible::Window);
}

}

void installWindowRules()
{
    static bool installed = false;
    if (installed || !qApp)
        return;
    installed = true;
    qApp->installEventFilter(new ScreenRule(qApp));
    QAccessible::installFactory(toolWindowAccessible);
}

void keepOnScreen(QWidget* window)
{
    if (window && isPlacedWindow(window))
        fit(window, true);
}

}
