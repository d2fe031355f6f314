#pragma once
#include <QString>

#include <optional>

namespace ink {

class SourceTree;

// A change of a page's text as the shown document can take it without being
// loaded anew: some children of one element are replaced by the nodes that
// the new text makes in their place. Loading a long page again costs the
// engine as long as the first load did and loses the reader's place; most
// edits in the Code view change a few lines inside one element.
struct SourcePatch {
    QString parentPath;  // the element, as a SourceTree path
    int first = 0;       // its first child replaced
    int count = 0;       // how many of its children are replaced
    QString markup;      // the new text for them, parsed with the element as context
    // The nodes the markup must come out as: for each node of the new
    // children's subtrees, in document order, its depth below the element
    // (1 for the children) and its key, as "depth key" lines.
    QString shape;
};

// The patch that turns the document parsed from `before` into the one
// parsed from `after`; none when the texts do not differ, or the change
// reaches across elements, or it is inside an element whose content is
// not markup (a script, a style sheet, the title), or the two parses differ
// elsewhere than inside that one element.
std::optional<SourcePatch> planSourcePatch(const SourceTree& before, const SourceTree& after);

}
