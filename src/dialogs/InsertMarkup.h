#pragma once
// Markup of the insert dialogs (image, hyperlink, bookmark, hyperbutton,
// marquee, inline frame): each dialog fills one of these plain structs from
// its fields and the builder writes the element in its fixed attribute order.
#include "dialogs/TypedValues.h"
#include "editing/CodeEdits.h"

#include <QString>

namespace ink {

// Lengths are written as lengthValue() gives them; a length that is no
// length is left out (the dialogs refuse to insert it).

struct ImageFields {
    QString source;  // path relative to the page, "/" separated
    QString link;    // wraps the image in A when not empty
    QString tip;
    Length height;
    Length width;
    int border = 0;
};
QString imageMarkup(const ImageFields& image);

struct HyperlinkFields {
    QString displayedText;
    QString address;
    QString tip;
    QString bookmark;
    QString target;
};
QString hyperlinkMarkup(const HyperlinkFields& link);
// The text that stands between ">" and "</A>": the displayed text, or the
// address when that is empty.
QString hyperlinkShownText(const HyperlinkFields& link);
// Code view: the markup in place of the selection, its shown text selected.
CodeEdit hyperlinkCodeEdit(const HyperlinkFields& link);

// The anchor is written as a name without "#" (a "#" typed in front of it is
// dropped): a link's "page.htm#top" reaches the name "top".
struct BookmarkFields {
    QString text;
    QString anchor;
};
QString bookmarkMarkup(const BookmarkFields& bookmark);
CodeEdit bookmarkCodeEdit(const BookmarkFields& bookmark);

struct HyperbuttonFields {
    QString caption;
    QString address;
    QString fontName;
    int sizeStep = 3;  // 1 to 7
    QString foreColour;
    QString backColour;
};
// Point size of the size steps 1 to 7 (8, 10, 12, 14, 18, 24, 36).
int pointSizeOfStep(int step);
QString hyperbuttonMarkup(const HyperbuttonFields& button);

enum class MarqueeBehaviour { Scroll, Slide, Alternate };
struct MarqueeFields {
    QString text;
    MarqueeBehaviour behaviour = MarqueeBehaviour::Scroll;
    bool directionRight = false;
    int loop = 0;
    int delay = 0;
    int amount = 0;
    QString fontName;
    int sizeStep = 3;
    QString foreColour;
    QString backColour;
};
QString marqueeMarkup(const MarqueeFields& marquee);
// The marquee on a body of the page's background colour, for the preview.
QString marqueePreview(const MarqueeFields& marquee, const QString& pageBackground);
// Code view: the markup in place of the selection, the scrolling text selected.
CodeEdit marqueeCodeEdit(const MarqueeFields& marquee);

enum class FrameAlign { Left, Center, Right, None };
struct InlineFrameFields {
    QString source;
    QString name;
    bool border = false;
    bool scrolling = false;
    FrameAlign align = FrameAlign::None;
    Length height;
    Length width;
};
QString inlineFrameMarkup(const InlineFrameFields& frame);

// The file an element property window's "Edit" opens: the first src= value
// (else the first SRC= value) of `html`, quoted or up to the next blank, with
// "/" separators, relative to `pageFolder`. Empty when there is none.
QString referencedSourcePath(const QString& html, const QString& pageFolder);

}
