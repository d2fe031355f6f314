#pragma once
#include <QString>

namespace ink {

// Everything the table dialog writes, as the user set it. Colours are colour
// texts as stored (the dialog form keeps a leading blank on four names) or
// empty for none.
struct TableDialogValues {
    enum class HAlign { Left, Center, Right };
    enum class VAlign { Top, Middle, Bottom };

    // Table page.
    int rows = 2;
    int columns = 2;
    int borderSize = 1;
    QString borderStyle;         // free CSS border style text
    QString borderColour;
    QString backColour;          // written only when it differs from pageBackColour
    QString pageBackColour;
    QString foreColour;
    QString fontName = QStringLiteral("Times New Roman");
    int fontSize = 3;            // 1..7, 3 writes no size
    QString height;
    bool heightPercent = false;
    QString width = QStringLiteral("100");
    bool widthPercent = true;
    QString background;          // image path

    // Cell page.
    int cellPadding = 0;
    int cellSpacing = 0;
    HAlign align = HAlign::Left;
    VAlign valign = VAlign::Middle;
    QString cellBackColour;
    QString cellBorderStyle;
    QString cellBorderColour;
    int cellBorderSize = 0;
    QString cellHeight;
    bool cellHeightPercent = false;
    QString cellWidth;
    bool cellWidthPercent = false;
    QString cellBackground;      // image path
};

// The TABLE start tag and its CR LF.
QString tableStartMarkup(const TableDialogValues& v);
// The one cell every position of the table holds.
QString tableCellMarkup(const TableDialogValues& v);
// The whole table: start, `rows` rows of `columns` cells each followed by
// CR LF, one more CR LF and "</TABLE>".
QString tableDialogMarkup(const TableDialogValues& v);
// What the preview shows: the table on the page's background colour.
QString tableDialogPreviewText(const TableDialogValues& v, const QString& markup);

}
