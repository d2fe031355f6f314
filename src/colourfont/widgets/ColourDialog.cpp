#include "colourfont/widgets/ColourDialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QMainWindow>

namespace ink {

namespace {

ColourResponder& responderSlot()
{
    static ColourResponder responder;
    return responder;
}

QWidget* mainWindowOrActive()
{
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMainWindow*>(top) && top->isVisible())
            return top;
    }
    return QApplication::activeWindow();
}

}

std::optional<ColourValue> chooseColour(QWidget* owner, ColourValue initial)
{
    if (responderSlot())
        return responderSlot()(initial);
    QWidget* parent = owner ? owner : mainWindowOrActive();
    const QColor chosen = QColorDialog::getColor(toQColor(initial), parent, QStringLiteral("Color"),
                                                 QColorDialog::DontUseNativeDialog);
    if (!chosen.isValid())
        return std::nullopt;
    return fromQColor(chosen);
}

void setColourTestResponder(ColourResponder responder)
{
    responderSlot() = std::move(responder);
}

QColor toQColor(ColourValue value)
{
    return QColor(redOf(value), greenOf(value), blueOf(value));
}

ColourValue fromQColor(const QColor& colour)
{
    return colourValue(colour.red(), colour.green(), colour.blue());
}

}
