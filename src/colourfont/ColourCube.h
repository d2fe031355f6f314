#pragma once
#include "colourfont/ColourModel.h"

#include <QByteArray>
#include <array>
#include <optional>

namespace ink {

// A colour cube file holds the sixteen swatch colours of the palette, one
// decimal colour value a line, in a fixed order of swatches; the names are
// not stored, the line number is the only key.
constexpr int CubeLineCount = 16;

// The swatch names in file line order ("aqua", "black", "white", ...).
const std::array<const char*, CubeLineCount>& cubeLineOrder();
// The file line (0-based) of a swatch name; -1 for a name that is none.
int cubeLineOf(const QString& swatch);

using CubeValues = std::array<ColourValue, CubeLineCount>;
using CubeReading = std::array<std::optional<ColourValue>, CubeLineCount>;

// The file's bytes: each value in decimal, preceded by a blank (a minus sign
// for a negative one) and followed by one, then CR LF; one more CR LF ends
// the file.
QByteArray cubeFileContent(const CubeValues& values);

// The values of a file's lines, in line order. A line is split off at CR LF
// or at a bare LF, and read as a whole decimal number once the blanks around
// it are dropped. A line that is missing, not a number, or no colour value
// gives nothing, and its swatch keeps its colour. Lines after the sixteenth
// are ignored.
CubeReading readCubeContent(const QByteArray& bytes);

}
