#include "colourfont/ColourCube.h"

#include <QList>

namespace ink {

const std::array<const char*, CubeLineCount>& cubeLineOrder()
{
    static const std::array<const char*, CubeLineCount> order = {
        "aqua",   "black", "white", "gray",   "silver", "maroon", "red",    "olive",
        "yellow", "green", "lime",  "teal",   "navy",   "blue",   "purple", "fuchsia",
    };
    return order;
}

int cubeLineOf(const QString& swatch)
{
    for (int line = 0; line < CubeLineCount; ++line) {
        if (swatch == QLatin1String(cubeLineOrder()[line]))
            return line;
    }
    return -1;
}

QByteArray cubeFileContent(const CubeValues& values)
{
    QByteArray bytes;
    for (const ColourValue value : values) {
        if (value >= 0)
            bytes += ' ';
        bytes += QByteArray::number(value) + " \r\n";
    }
    return bytes + "\r\n";
}

namespace {

std::optional<ColourValue> lineValue(const QByteArray& line)
{
    const QByteArray number = line.trimmed();
    // Only a plain decimal number: an optional sign and digits.
    const int start = (number.startsWith('-') || number.startsWith('+')) ? 1 : 0;
    if (number.size() == start || number.size() > 12)
        return std::nullopt;
    for (int i = start; i < number.size(); ++i) {
        if (number[i] < '0' || number[i] > '9')
            return std::nullopt;
    }
    const ColourValue value = number.toLongLong();
    if (!isColourValue(value))
        return std::nullopt;
    return value;
}

}

CubeReading readCubeContent(const QByteArray& bytes)
{
    CubeReading reading;
    const QList<QByteArray> lines = bytes.split('\n');
    for (int line = 0; line < CubeLineCount && line < lines.size(); ++line)
        reading[line] = lineValue(lines[line]);
    return reading;
}

}
