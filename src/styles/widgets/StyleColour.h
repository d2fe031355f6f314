#pragma once
#include <QColor>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace ink {

// Asks for a colour with the colour dialog and gives its colour text
// ("#" and six lower-case hexadecimal digits, red first), or nothing when the
// dialog was cancelled.
std::optional<QString> askColourText(QWidget* owner);

// When set, askColourText calls this instead of showing the dialog; an
// invalid colour means cancel. Tests use it to answer the colour dialog.
using ColourResponder = std::function<QColor()>;
void setColourTestResponder(ColourResponder responder);

}
