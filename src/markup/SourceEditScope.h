#pragma once
#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace ink {

class SourceTree;

// Where a Code-view edit stands in the page's source tree: the stretch of
// text it changed, the elements around it, and which of an element's
// children it reaches. Shared by the planners of an edit laid in place.

// The bytes [from, oldTo) of the old text became [from, oldTo + delta) of
// the new one; the rest is the same.
struct TextEdit {
    qsizetype from = 0;
    qsizetype oldTo = 0;
    qsizetype delta = 0;
};

// None when the texts are the same.
std::optional<TextEdit> findTextEdit(const QByteArray& before, const QByteArray& after);

// Elements whose content the parser does not read as markup of its own, or
// reads differently once their start tag is behind it; and the document's
// frame, whose children are no markup of the page's body.
bool holdsMarkup(const QString& key);

// One element on the way from the document down to the edit.
struct EditStep {
    int index = 0;        // in the tree
    int childNumber = 0;  // among its parent's children
    bool holdsEdit = false;  // both its tags in the text, the edit inside its content
    int subtreeEnd = 0;   // one past its last descendant
};

// The nodes whose span holds the edit, from the document's child down (the
// document itself not included): linear in the depth of the tree.
std::vector<EditStep> editPath(const SourceTree& tree, const TextEdit& edit);

// The path "0.1.4" of the step at `depth` (0 for the first step).
QString pathText(const std::vector<EditStep>& steps, size_t depth);

// The children of an element the edit reaches, those it only borders
// included (text typed next to a text node joins it), and the stretch of
// text they stand for: [from, to) of the old text.
struct EditStretch {
    size_t first = 0;
    size_t last = 0;  // one past the last child replaced
    qsizetype from = 0;
    qsizetype to = 0;
};

// None when the children do not stand one after the other, or the stretch
// cannot hold the edit (text after the element's end tag that the parser
// put inside it).
std::optional<EditStretch> editStretch(const SourceTree& tree, int element, const TextEdit& edit);

// Each node of the subtrees of `children[first, first + count)` as a
// "depth key" line, depth 1 for the children.
QString shapeOf(const SourceTree& tree, const std::vector<int>& children, size_t first,
                size_t count);

}
