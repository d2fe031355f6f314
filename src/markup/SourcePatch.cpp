#include "markup/SourcePatch.h"

#include "markup/SourceEditScope.h"
#include "markup/SourceTree.h"

#include <algorithm>

namespace ink {

namespace {

// Each node's children stand one after the other in the text.
bool inOrder(const SourceTree& tree, const std::vector<int>& children)
{
    for (size_t i = 1; i < children.size(); ++i) {
        if (tree.node(children[i]).start < tree.node(children[i - 1]).end)
            return false;
    }
    return true;
}

// The same element in the new parse: its index, and one past its last
// descendant; -1 where the new tree has no node at that path.
struct Counterpart {
    int index = -1;
    int subtreeEnd = -1;
};

// The new parse followed down the path of the old one: one walk for every
// step, however deep the page.
std::vector<Counterpart> counterparts(const SourceTree& after, const std::vector<EditStep>& steps)
{
    std::vector<Counterpart> found(steps.size());
    int at = 0;
    int atEnd = after.size();
    for (size_t depth = 0; depth < steps.size(); ++depth) {
        const std::vector<int>& children = after.node(at).children;
        const size_t n = size_t(steps[depth].childNumber);
        if (n >= children.size())
            break;
        at = children[n];
        atEnd = n + 1 < children.size() ? children[n + 1] : atEnd;
        found[depth] = {at, atEnd};
    }
    return found;
}

// Replacing children of the element at `step` only: none when the new
// parse differs outside them.
std::optional<SourcePatch> patchInside(const SourceTree& before, const SourceTree& after,
                                       const EditStep& step, const Counterpart& counterpart,
                                       const TextEdit& edit)
{
    const std::optional<EditStretch> stretch = editStretch(before, step.index, edit);
    if (!stretch || counterpart.index < 0)
        return std::nullopt;
    const SourceNode& parent = before.node(step.index);
    const std::vector<int>& children = parent.children;
    const size_t first = stretch->first;
    const size_t last = stretch->last;

    // The new parse: the same element at the same place, the same children
    // before and (moved by the change) after the stretch, the same number
    // of nodes outside it.
    const SourceNode& newParent = after.node(counterpart.index);
    const std::vector<int>& newChildren = newParent.children;
    const size_t kept = children.size() - (last - first);
    if (newParent.key != parent.key || newParent.start != parent.start
        || newParent.openEnd != parent.openEnd
        || newParent.closeStart != parent.closeStart + edit.delta
        || newChildren.size() < kept || !inOrder(after, newChildren))
        return std::nullopt;
    const size_t newCount = newChildren.size() - kept;
    for (size_t i = 0; i < first; ++i) {
        const SourceNode& was = before.node(children[i]);
        const SourceNode& is = after.node(newChildren[i]);
        if (was.key != is.key || was.start != is.start || was.end != is.end)
            return std::nullopt;
    }
    for (size_t i = last; i < children.size(); ++i) {
        const SourceNode& was = before.node(children[i]);
        const SourceNode& is = after.node(newChildren[i - last + first + newCount]);
        if (was.key != is.key || was.start + edit.delta != is.start
            || was.end + edit.delta != is.end)
            return std::nullopt;
    }
    const int outsideBefore = before.size() - (step.subtreeEnd - step.index);
    const int outsideAfter = after.size() - (counterpart.subtreeEnd - counterpart.index);
    if (outsideBefore != outsideAfter)
        return std::nullopt;

    SourcePatch patch;
    patch.first = int(first);
    patch.count = int(last - first);
    patch.markup = QString::fromUtf8(after.text().constData() + stretch->from,
                                     stretch->to + edit.delta - stretch->from);
    patch.shape = shapeOf(after, newChildren, first, newCount);
    return patch;
}

}

std::optional<SourcePatch> planSourcePatch(const SourceTree& before, const SourceTree& after)
{
    if (before.size() == 0 || after.size() == 0)
        return std::nullopt;
    const std::optional<TextEdit> edit = findTextEdit(before.text(), after.text());
    if (!edit)
        return std::nullopt;
    // The innermost element that takes the change, or else one around it:
    // new blocks typed inside a paragraph end it, and go in its parent.
    const std::vector<EditStep> steps = editPath(before, *edit);
    const std::vector<Counterpart> found = counterparts(after, steps);
    for (size_t depth = steps.size(); depth-- > 0;) {
        if (!steps[depth].holdsEdit)
            continue;
        if (std::optional<SourcePatch> patch =
                patchInside(before, after, steps[depth], found[depth], *edit)) {
            patch->parentPath = pathText(steps, depth);
            return patch;
        }
    }
    return std::nullopt;
}

}
