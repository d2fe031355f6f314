#include "editing/FontControls.h"

namespace ink {

namespace {

const SliderRange sliderRanges[] = {
    {"standard", 1, 7, false},
    {"ptsize", 8, 72, true},
    {"ten", 0, 10, true},
    {"hundred", 0, 100, true},
    {"thousand", 0, 1000, true},
};

}

QString fontSizeOpening(const QString& size)
{
    return QStringLiteral("<FONT size=") + size + QLatin1Char('>');
}

QString fontFaceOpening(const QString& face)
{
    return QStringLiteral("<FONT face=\"") + face + QStringLiteral("\">");
}

QString fontClosing()
{
    return QStringLiteral("</FONT>");
}

std::optional<int> sliderValueForSizeText(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

std::optional<SliderRange> sliderRangeForKey(const QString& key)
{
    for (const SliderRange& range : sliderRanges) {
        if (key == QLatin1String(range.key))
            return range;
    }
    return std::nullopt;
}

SliderRange defaultSliderRange()
{
    return sliderRanges[0];
}

}
