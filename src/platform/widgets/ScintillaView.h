#pragma once
#include <Qsci/qsciscintilla.h>

namespace ink {

// The QsciScintilla the code editor shows. It reports mouse presses and
// focus to its owner, shows no context menu of its own (the program pops up
// its Edit menu instead), leaves key combinations to the program's menus
// first, and tells whether a change comes from the user's own typing,
// pasting or dropping.
class ScintillaView : public QsciScintilla {
    Q_OBJECT
public:
    explicit ScintillaView(QWidget* parent);
    ~ScintillaView() override;

    // True while the widget handles a key, input method, paste or drop event.
    bool handlingUserInput() const { return userInputDepth_ > 0; }

    void paste() override;

signals:
    void mousePressed(Qt::MouseButton button, const QPoint& globalPos);
    void focusGained();
    // The widget is about to be shown: its owner makes it whole first.
    void showing();
    // The widget is going: whatever works with it must end first.
    void goingAway();

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    class UserInput;
    int userInputDepth_ = 0;
};

}
