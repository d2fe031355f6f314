#pragma once
#include "colourfont/ColourModel.h"

#include <QFrame>

namespace ink {

// A small box that holds one colour value and shows it: a swatch or a
// picker of the palette. Pressing a mouse button on it raises `pressed`;
// from the keyboard, Space or Enter stands for the left button and the menu
// key or Shift+F10 for the right one. The box itself changes only through
// setColour.
class ColourBox : public QFrame {
    Q_OBJECT
public:
    ColourBox(const QString& name, ColourValue colour, QWidget* parent = nullptr);

    ColourValue colour() const { return colour_; }
    void setColour(ColourValue colour);

signals:
    void pressed(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    ColourValue colour_;
};

}
