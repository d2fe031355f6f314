#include "editing/CaretFormatting.h"

#include "colourfont/ColourModel.h"

namespace ink {

namespace {
// Status value of a command that is enabled and not latched.
constexpr int EnabledNotLatched = 3;
}

int namedColourEntry(const QString& colour)
{
    return namedColourItem(colour, ColourForm::DesignSurface);
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
