#pragma once
#include "editing/TableEdits.h"

#include <QWidget>

class QCheckBox;
class QPushButton;
class QSlider;

namespace ink {

// The quick table maker of the side panel's "Tablecube" page: sliders for
// columns, rows, spacing and padding, the "Border" and "Static" boxes and
// the "Make" button. The values live as long as the main window.
class QuickTableMaker : public QWidget {
    Q_OBJECT
public:
    explicit QuickTableMaker(QWidget* parent = nullptr);

    QuickTable values() const;

signals:
    // "Make" was pressed.
    void makeClicked();

private:
    QSlider* addSlider(const char* name, const QString& tip, int minimum, int maximum);

    QPushButton* make_;
    QCheckBox* border_;
    QCheckBox* fixedWidth_;
    QSlider* columns_;
    QSlider* rows_;
    QSlider* spacing_;
    QSlider* padding_;
};

}
