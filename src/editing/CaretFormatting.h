#pragma once
#include <QString>
#include <optional>

namespace ink {

// What the design surface reports about the formatting at the caret: the
// status values of the six style and alignment commands, and the values of
// the three getters (fore colour, font name, font size).
struct CaretReport {
    QString foreColor; // "#RRGGBB" as the surface gives it
    int bold = 0;
    int italic = 0;
    int underline = 0;
    int alignLeft = 0;
    int alignCenter = 0;
    int alignRight = 0;
    QString fontName;
    QString fontSize;
};

// How the formatting controls show that report.
struct CaretFormatting {
    int colourEntry = 17; // 1..16 from the named colour table, 17 "Custom..."
    bool bold = false;    // pressed
    bool italic = false;
    bool underline = false;
    bool alignLeft = false;
    bool alignCenter = false;
    bool alignRight = false;
    QString fontName;
    // The size as a whole number and its text; none when the surface gave
    // no number (the size controls then keep what they show).
    std::optional<int> fontSize;
    QString fontSizeText;

    bool operator==(const CaretFormatting& o) const
    {
        return colourEntry == o.colourEntry && bold == o.bold && italic == o.italic
            && underline == o.underline && alignLeft == o.alignLeft
            && alignCenter == o.alignCenter && alignRight == o.alignRight
            && fontName == o.fontName && fontSize == o.fontSize
            && fontSizeText == o.fontSizeText;
    }
};

// Entry 1..16 of the named colour table whose text equals `colour` exactly
// (case matters: "#ff0000" is not "#FF0000"); 17 ("Custom...") otherwise.
int namedColourEntry(const QString& colour);

// A command status shows its button released only when it is exactly
// "enabled and not latched"; every other value shows it pressed.
bool statusShowsPressed(int status);

CaretFormatting caretFormatting(const CaretReport& report);

}
