#pragma once
#include <QList>
#include <QString>
#include <QStringList>

namespace ink {

// The font list file: the user's favourite font names, one per line, lines
// ended by CR LF. It lives in the program folder as "fcombo.dll".
QString fontListPath();

// The names of a font list text: the pieces between CR LFs, all but the last
// one (the piece after the final CR LF, normally empty). A text without a
// final CR LF therefore loses its last name, and an empty line is an empty
// name.
QStringList parseFontList(const QString& text);

// The whole file as text; "" when it is missing or cannot be read. Bytes
// that are not UTF-8 are read one byte to one character, so they survive a
// save.
QString readFontListText(const QString& path);
// The names in the file; none when it is missing or cannot be read.
QStringList readFontList(const QString& path);

// The file content for the text of the font list window: its line breaks
// become CR LF and the text ends with one CR LF. A text that already ends
// with a line break gets no second one, so that saving the window unchanged
// leaves the file unchanged; an empty text gives an empty file.
QString fontListFileContent(const QString& boxText);
// Writes fontListFileContent(boxText) in place of the file, in one step.
bool writeFontList(const QString& path, const QString& boxText, QString* error = nullptr);

// The font combo's list.
struct FontComboItem {
    enum Kind { EditList, Separator, Favourite, SystemFont };
    Kind kind;
    QString text;
};

struct FontComboLayout {
    QList<FontComboItem> items;
    int startIndex = -1;  // 0-based index of the item selected first; -1 for none
};

// The separator line of the font combo: 123 hyphens.
QString fontComboSeparator();
// The font names of the system's font families as a page can name them: a
// family the system holds from several foundries is listed as "Name
// [Foundry]"; the foundry is dropped and the name kept once.
QStringList pageFontNames(const QStringList& families);
// Font names in the order of a sorted list: by name, ignoring case.
QStringList sortedFontNames(QStringList names);
// "Edit Font List", separator, favourites, separator, the sorted system
// fonts, separator, "Edit Font List", separator, favourites again; the list
// starts on "Times New Roman" among the system fonts, or on the first system
// font when that one is not installed.
FontComboLayout fontComboLayout(const QStringList& favourites, const QStringList& systemFonts);

}
