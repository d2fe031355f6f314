#pragma once
#include <QDialog>
#include <functional>
#include <optional>

namespace ink {

// What a CSS dialog needs from the program: writing one declaration through
// the style rule builder, and the colour dialog over a given window, which
// gives the colour text of the chosen colour or nothing on cancel.
struct CssDialogServices {
    std::function<void(const QString& declaration)> write;
    std::function<std::optional<QString>(QWidget* owner)> askColour;
};

// The frame every CSS property dialog shares: owned by the main window and
// modal to it (the main window takes no input while it is open), placed at a
// fixed offset from the main window's corner, fixed size, deleted on close.
class CssDialogWindow : public QDialog {
    Q_OBJECT
public:
    CssDialogWindow(QWidget* owner, const char* name, const char* caption);

    // Sizes the dialog to its contents, places it and shows it.
    void present();
};

}
