#pragma once
#include <QWidget>

class QScrollBar;

namespace ink {

// The splitter bar `Picture5` at the side panel's left edge. It reports the
// mouse's x position within itself, in twips (negative left of the bar);
// while a button is held the bar keeps receiving the mouse wherever it goes.
class SplitterBar : public QWidget {
    Q_OBJECT
public:
    explicit SplitterBar(QWidget* parent = nullptr);

signals:
    void pressed(double xTwips);
    void moved(double xTwips);
    void released(double xTwips);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

// `frmdragbar`: the borderless tool window that follows the mouse while the
// splitter is dragged, drawn as a vertical scroll bar (`VScroll1`) that is
// taller than the window so that only its upper part shows.
class DragBar : public QWidget {
    Q_OBJECT
public:
    explicit DragBar(QWidget* owner);

    // Screen geometry in twips.
    void place(double left, double top, double height, double scrollBarHeight);
    QScrollBar* scrollBar() const { return scrollBar_; }

private:
    QScrollBar* scrollBar_;
};

}
