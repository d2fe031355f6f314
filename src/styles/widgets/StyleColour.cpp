#include "styles/widgets/StyleColour.h"

#include <QColorDialog>

namespace ink {

namespace {
ColourResponder& responderSlot()
{
    static ColourResponder responder;
    return responder;
}
}

void setColourTestResponder(ColourResponder responder)
{
    responderSlot() = std::move(responder);
}

std::optional<QString> askColourText(QWidget* owner)
{
    const QColor colour = responderSlot() ? responderSlot()()
                                          : QColorDialog::getColor(Qt::white, owner, QStringLiteral("Color"));
    if (!colour.isValid())
        return std::nullopt;
    return colour.name(QColor::HexRgb);
}

}
