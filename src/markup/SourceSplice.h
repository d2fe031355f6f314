#pragma once
#include "markup/SourcePatch.h"
#include "markup/SourceTree.h"

#include <QByteArray>

#include <functional>
#include <optional>

namespace ink {

// A Code-view edit planned without parsing the whole new page: only the
// stretch of the element's content that the edit reaches is parsed anew,
// and the nodes after it keep their parse, moved by the edit's length.
struct SplicedEdit {
    SourceTree after;  // the parse of the new text, as a whole parse makes it
    SourcePatch patch;
};

// None when the stretch's parse could come out otherwise inside the whole
// page (misnested or unclosed tags, a comment left open, tags whose
// meaning depends on the elements around them, the head, scripts, style
// sheets, tables and preformatted text): the caller then parses the whole
// new text.
std::optional<SplicedEdit> spliceSourceEdit(const SourceTree& before, const QByteArray& after);

// The same in two steps: the patch at once (it reads only the stretch),
// and the parse of the whole new text when asked for, which copies every
// node of the page and can come after the patch has been laid in. `tree`
// reads `before`, which must live until it has been called, and takes the
// same new text.
struct SplicePlan {
    SourcePatch patch;
    std::function<SourceTree(const QByteArray& after)> tree;
};
std::optional<SplicePlan> planSourceSplice(const SourceTree& before, const QByteArray& after);

}
