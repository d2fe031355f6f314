#include "platform/widgets/ScintillaView.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace ink {

class ScintillaView::UserInput {
public:
    explicit UserInput(ScintillaView& view) : view_(view) { ++view_.userInputDepth_; }
    ~UserInput() { --view_.userInputDepth_; }
    UserInput(const UserInput&) = delete;
    UserInput& operator=(const UserInput&) = delete;

private:
    ScintillaView& view_;
};

ScintillaView::ScintillaView(QWidget* parent) : QsciScintilla(parent) {}

ScintillaView::~ScintillaView()
{
    emit goingAway();
}

// The widget claims every key combination it has a binding for (Ctrl+C,
// Ctrl+U, ...), which would take them from the program's menus: copying in
// the source must go through the program's Copy to reach the clip ring.
// Combinations with Ctrl, Alt or Meta are therefore offered to the menus
// first; a combination no menu uses still reaches the widget as a key press.
//
// Before the widget is shown, its owner is told, so that a page still on its
// way into the widget is in before the first paint.
bool ScintillaView::event(QEvent* e)
{
    if (e->type() == QEvent::Show)
        emit showing();
    if (e->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(e);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
            e->ignore();
            return true;
        }
    }
    return QsciScintilla::event(e);
}

void ScintillaView::paste()
{
    UserInput input(*this);
    QsciScintilla::paste();
}

void ScintillaView::keyPressEvent(QKeyEvent* e)
{
    UserInput input(*this);
    QsciScintilla::keyPressEvent(e);
}

void ScintillaView::inputMethodEvent(QInputMethodEvent* e)
{
    UserInput input(*this);
    QsciScintilla::inputMethodEvent(e);
}

void ScintillaView::dropEvent(QDropEvent* e)
{
    UserInput input(*this);
    QsciScintilla::dropEvent(e);
}

// Reported after the widget has placed its caret, so that a menu popped up
// for the press sees the click's effect.
void ScintillaView::mousePressEvent(QMouseEvent* e)
{
    const Qt::MouseButton button = e->button();
    const QPoint globalPos = e->globalPosition().toPoint();
    QsciScintilla::mousePressEvent(e);
    emit mousePressed(button, globalPos);
}

// The second press of a double click arrives as a double-click event.
void ScintillaView::mouseDoubleClickEvent(QMouseEvent* e)
{
    const Qt::MouseButton button = e->button();
    const QPoint globalPos = e->globalPosition().toPoint();
    QsciScintilla::mouseDoubleClickEvent(e);
    emit mousePressed(button, globalPos);
}

void ScintillaView::focusInEvent(QFocusEvent* e)
{
    QsciScintilla::focusInEvent(e);
    emit focusGained();
}

void ScintillaView::contextMenuEvent(QContextMenuEvent* e)
{
    e->accept();
}

}
