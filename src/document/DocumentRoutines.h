#pragma once
#include <QByteArrayView>
#include <QString>

namespace ink {

// The text every new page starts from: 21 lines joined by CR LF, no CR LF
// after the last one.
const QString& newPageTemplate();

// Removes one enclosing DIV or P block from the HTML of a selection. The
// selection's HTML starts with CR LF when it is a whole block; the opening is
// compared case-insensitively. The block goes only when the text ends with its
// own closing tag; otherwise (text after the block, or two blocks side by
// side) the text comes back unchanged, as it does when no opening matches or
// the text is too short to hold opening and closing.
QString stripBlockWrapper(const QString& html);

// Replaces the first generator marker (content=" immediately followed by
// MSHTML) by the program's own generator name, keeping what followed it.
QString applyGeneratorRule(const QString& text);

// The generator rule as an edit of the marker's own characters, for an
// editor that must not lose its caret or rewrite the whole page.
struct GeneratorEdit {
    qsizetype start = -1; // where the marker begins; -1 when there is none
    qsizetype length = 0; // the marker's length
    QString replacement;
};
GeneratorEdit generatorEdit(const QString& text);
// How far around a change the marker can reach: a marker that a change
// completed overlaps the change, so it starts at most this many characters
// before it and ends at most this many after it.
qsizetype generatorMarkerReach();
// Whether the page's UTF-8 bytes hold the marker anywhere: a long change is
// looked at only then, rather than decoded to be searched.
bool holdsGeneratorMarker(QByteArrayView utf8);

}
