#pragma once
#include <QString>

namespace ink {

class SourceTree;

// The page's background colour as its text gives it: the value of the body's
// bgcolor attribute, as written, found the way the web engine parses the
// page (the first body tag's attributes win; a body written without a tag
// has none). "" when the body has no bgcolor.
QString pageBackgroundInText(const QString& html);

// Where the body's start tag stands in a page whose body began before any
// body tag (content before <html>, such as a server-side directive, or no
// body tag at all): the attributes of the body are then written there.
struct BodyTagPlace {
    // The page's own body tag, whose attributes the parser gave the body
    // already begun: [tagStart, tagEnd) of the text; -1 when there is none.
    qsizetype tagStart = -1;
    qsizetype tagEnd = -1;
    // Without one, where a new body tag goes: before the body's first
    // element that is not a head element (so after the head, and after a
    // directive at the top of the page), else where the body begins.
    qsizetype insertAt = -1;
};

// `body` indexes the body element in `tree`.
BodyTagPlace bodyTagPlace(const SourceTree& tree, int body);

}
