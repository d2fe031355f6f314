#include "editing/CaretFormatting.h"

#include <QStringList>

namespace ink {

namespace {
// Status value of a command that is enabled and not latched.
constexpr int EnabledNotLatched = 3;
}

int namedColourEntry(const QString& colour)
{
    static const char* const table[16] = {
        "#000000", "#800000", "#008000", "#808000", "#000080", "#800080", "#008080", "#808080",
        "#C0C0C0", "#FF0000", "#00FF00", "#FFFF00", "#0000FF", "#FF00FF", "#00FFFF", "#FFFFFF",
    };
    for (int i = 0; i < 16; ++i)
        if (colour == QLatin1String(table[i]))
            return i + 1;
    return 17;
}

bool statusShowsPressed(int status)
{
    return status != EnabledNotLatched;
}

CaretFormatting caretFormatting(const CaretReport& report)
{
    CaretFormatting f;
    f.colourEntry = namedColourEntry(report.foreColor);
    f.bold = statusShowsPressed(report.bold);
    f.italic = statusShowsPressed(report.italic);
    f.underline = statusShowsPressed(report.underline);
    f.alignLeft = statusShowsPressed(report.alignLeft);
    f.alignCenter = statusShowsPressed(report.alignCenter);
    f.alignRight = statusShowsPressed(report.alignRight);
    f.fontName = report.fontName;
    // The size is taken as a whole number: "3" and "3.0" give 3; a text that
    // is no number (a selection of mixed sizes) gives none.
    bool ok = false;
    const double size = report.fontSize.trimmed().toDouble(&ok);
    if (ok) {
        f.fontSize = static_cast<int>(size);
        f.fontSizeText = QString::number(*f.fontSize);
    }
    return f;
}

}
