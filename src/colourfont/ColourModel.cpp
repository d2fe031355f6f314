#include "colourfont/ColourModel.h"

namespace ink {

namespace {

QString twoDigits(int component)
{
    return QStringLiteral("%1").arg(component, 2, 16, QLatin1Char('0'));
}

}

QString clrlong2hex(ColourValue value)
{
    return QLatin1Char('#') + twoDigits(redOf(value)) + twoDigits(greenOf(value))
        + twoDigits(blueOf(value));
}

const std::array<NamedColour, NamedColourCount>& namedColours()
{
    static const std::array<NamedColour, NamedColourCount> table = {{
        {1, "Black", "#000000", "#000000", "#000000", 0x000000},
        {2, "Maroon", "#800000", " #800000", "#800000", 0x000080},
        {3, "Green", "#008000", " #008000", "#008000", 0x008000},
        {4, "Olive", "#808000", " #808000", "#808000", 0x008080},
        {5, "Navy", "#000080", "#000080", "#000080", 0x800000},
        {6, "Purple", "#800080", "#800080", "#800080", 0x800080},
        {7, "Teal", "#008080", "#008080", "#008080", 0x808040},
        {8, "Gray", "#808080", " #808080", "#808080", 0x808080},
        {9, "Silver", "#c0c0c0", "#c0c0c0", "#C0C0C0", 0xC8C8C8},
        {10, "Red", "#ff0000", "#ff0000", "#FF0000", 0x0000FF},
        {11, "Lime", "#00ff00", "#00ff00", "#00FF00", 0x00FF00},
        {12, "Yellow", "#ffff00", "#ffff00", "#FFFF00", 0x00FFFF},
        {13, "Blue", "#0000ff", "#0000ff", "#0000FF", 0xFF0000},
        {14, "Fuchsia", "#ff00ff", "#ff00ff", "#FF00FF", 0xFF00FF},
        {15, "Aqua", "#00ffff", "#00ffff", "#00FFFF", 0xFFFF00},
        {16, "White", "#ffffff", "#ffffff", "#FFFFFF", 0xFFFFFF},
    }};
    return table;
}

QString colourTextOf(const NamedColour& colour, ColourForm form)
{
    switch (form) {
    case ColourForm::MainWindow:
        return QString::fromLatin1(colour.mainForm);
    case ColourForm::Dialog:
        return QString::fromLatin1(colour.dialogForm);
    case ColourForm::DesignSurface:
        return QString::fromLatin1(colour.designForm);
    }
    return QString();
}

QString namedColourText(const QString& name, ColourForm form)
{
    for (const NamedColour& colour : namedColours()) {
        if (name == QLatin1String(colour.name))
            return colourTextOf(colour, form);
    }
    return QString();
}

int namedColourItem(const QString& text, ColourForm form)
{
    for (const NamedColour& colour : namedColours()) {
        if (text == colourTextOf(colour, form))
            return colour.item;
    }
    return CustomItem;
}

}
