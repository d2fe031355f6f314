#include "colourfont/ColourMarkup.h"

namespace ink {

QString colourToolCodeText(ColourTool tool, const QString& colour)
{
    switch (tool) {
    case ColourTool::Swatch:
        return colour;
    case ColourTool::TextColour:
        return QStringLiteral("color=") + colour;
    case ColourTool::SelectionBackground:
        return QStringLiteral("style=\"BACKGROUND-COLOR: ") + colour + QLatin1Char('"');
    case ColourTool::PageBackground:
        return QStringLiteral("bgColor=") + colour;
    }
    return colour;
}

QString fontColourOpening(const QString& colour)
{
    return QStringLiteral("<FONT color=") + colour + QLatin1Char('>');
}

}
