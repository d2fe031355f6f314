#pragma once
#include <QString>

namespace ink {

// The text every new page starts from: 21 lines joined by CR LF, no CR LF
// after the last one.
const QString& newPageTemplate();

// Removes one enclosing DIV or P block from the HTML of a selection. The
// selection's HTML starts with CR LF when it is a whole block; the opening is
// compared case-insensitively, and the closing tag's length is dropped from
// the end unchecked. Returns the text unchanged when no opening matches or the
// text is too short to hold opening and closing.
QString stripBlockWrapper(const QString& html);

// Replaces the first generator marker (content=" immediately followed by
// MSHTML) by the program's own generator name, keeping what followed it.
QString applyGeneratorRule(const QString& text);

}
