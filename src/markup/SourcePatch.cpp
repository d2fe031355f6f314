#include "markup/SourcePatch.h"

#include "markup/SourceTree.h"

#include <QSet>

#include <algorithm>

namespace ink {

namespace {

// Elements whose content the parser does not read as markup of its own, or
// reads differently once their start tag is behind it; and the document's
// frame, whose children are no markup of the page's body.
bool holdsMarkup(const QString& key)
{
    static const QSet<QString> others{
        QStringLiteral("HTML"),    QStringLiteral("HEAD"),     QStringLiteral("TITLE"),
        QStringLiteral("STYLE"),   QStringLiteral("SCRIPT"),   QStringLiteral("TEXTAREA"),
        QStringLiteral("XMP"),     QStringLiteral("IFRAME"),   QStringLiteral("NOEMBED"),
        QStringLiteral("NOFRAMES"), QStringLiteral("NOSCRIPT"), QStringLiteral("PLAINTEXT"),
        QStringLiteral("TEMPLATE"), QStringLiteral("FRAMESET"), QStringLiteral("PRE"),
        QStringLiteral("LISTING")};
    return !key.isEmpty() && !key.startsWith(QLatin1Char('#')) && !key.startsWith(QLatin1Char('!'))
        && !others.contains(key);
}

// An element with both of its tags in the text, whose content holds the
// bytes [from, to) of it.
bool containsChange(const SourceNode& node, qsizetype from, qsizetype to)
{
    return holdsMarkup(node.key) && node.openEnd > node.start && node.closeStart >= 0
        && node.openEnd <= from && to <= node.closeStart;
}

// Each node's children stand one after the other in the text.
bool inOrder(const SourceTree& tree, const std::vector<int>& children)
{
    for (size_t i = 1; i < children.size(); ++i) {
        if (tree.node(children[i]).start < tree.node(children[i - 1]).end)
            return false;
    }
    return true;
}

struct Found {
    int index = 0;
    QString path;
};

// The elements whose content holds the change, innermost last.
std::vector<Found> containers(const SourceTree& tree, qsizetype from, qsizetype to)
{
    std::vector<Found> found;
    Found at;
    for (bool deeper = true; deeper;) {
        deeper = false;
        const std::vector<int>& children = tree.node(at.index).children;
        for (size_t i = 0; i < children.size(); ++i) {
            const SourceNode& child = tree.node(children[i]);
            if (child.start > from)
                break;
            if (child.end < to)
                continue;
            const QString path = at.path.isEmpty() ? QString::number(i)
                                                   : at.path + QLatin1Char('.') + QString::number(i);
            at = Found{children[i], path};
            deeper = true;
            if (containsChange(child, from, to))
                found.push_back(at);
            break;
        }
    }
    return found;
}

QString shapeOf(const SourceTree& tree, const std::vector<int>& children, size_t first, size_t count)
{
    QString shape;
    struct Item {
        int index;
        int depth;
    };
    std::vector<Item> stack;
    for (size_t i = first + count; i-- > first;)
        stack.push_back({children[i], 1});
    while (!stack.empty()) {
        const Item item = stack.back();
        stack.pop_back();
        shape += QString::number(item.depth) + QLatin1Char(' ') + tree.node(item.index).key
            + QLatin1Char('\n');
        const std::vector<int>& inner = tree.node(item.index).children;
        for (size_t i = inner.size(); i-- > 0;)
            stack.push_back({inner[i], item.depth + 1});
    }
    return shape;
}

// Where a node's text starts: the parser reports text that starts with a
// CR LF from its LF.
qsizetype textStart(const SourceTree& tree, int index)
{
    const SourceNode& node = tree.node(index);
    const bool crSkipped = node.key.startsWith(QLatin1Char('#')) && node.start > 0
        && tree.text()[node.start - 1] == '\r';
    return crSkipped ? node.start - 1 : node.start;
}

struct Change {
    qsizetype from = 0;   // [from, oldTo) of the old text became
    qsizetype oldTo = 0;  // [from, oldTo + delta) of the new one
    qsizetype delta = 0;
};

// Replacing children of `container` only: none when the new parse differs
// outside them.
std::optional<SourcePatch> patchInside(const SourceTree& before, const SourceTree& after,
                                       const Found& container, const Change& change)
{
    const SourceNode& parent = before.node(container.index);
    const std::vector<int>& children = parent.children;
    if (!inOrder(before, children))
        return std::nullopt;

    // The children the change touches, those it only borders included: text
    // typed next to a text node joins it.
    const size_t first = size_t(std::find_if(children.begin(), children.end(), [&](int child) {
                                    return before.node(child).end >= change.from;
                                }) - children.begin());
    size_t last = first;
    while (last < children.size() && textStart(before, children[last]) <= change.oldTo)
        ++last;
    // Text after the element's end tag that the parser put inside it (after
    // </body>) is not in the stretch.
    if (last == children.size() && last > 0
        && before.node(children.back()).end > parent.closeStart)
        return std::nullopt;
    // The stretch of text they stand for: from the content's start or to its
    // end when they are the first or last children, so that text between
    // the tags and the children goes too.
    // An edit in text the parser ignored (a stray end tag) before the first
    // child or after the last one replaces no child: its stretch reaches
    // from the content's start to the first child, or from the last child
    // to the content's end.
    const qsizetype stretchFrom = first == 0 ? parent.openEnd
        : first < children.size()            ? textStart(before, children[first])
                                             : before.node(children[first - 1]).end;
    const qsizetype stretchTo = last == children.size() ? parent.closeStart
        : last > first                                  ? before.node(children[last - 1]).end
                                                        : textStart(before, children[last]);
    if (stretchFrom > change.from || stretchTo < change.oldTo)
        return std::nullopt;

    // The new parse: the same element at the same place, the same children
    // before and (moved by the change) after the stretch, the same number
    // of nodes outside it.
    const int newIndex = after.find(container.path);
    if (newIndex < 0)
        return std::nullopt;
    const SourceNode& newParent = after.node(newIndex);
    const std::vector<int>& newChildren = newParent.children;
    const size_t kept = children.size() - (last - first);
    if (newParent.key != parent.key || newParent.start != parent.start
        || newParent.openEnd != parent.openEnd
        || newParent.closeStart != parent.closeStart + change.delta
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
        if (was.key != is.key || was.start + change.delta != is.start
            || was.end + change.delta != is.end)
            return std::nullopt;
    }
    const auto outside = [](const SourceTree& tree, int index) {
        return tree.size() - (tree.subtreeEnd(index) - index);
    };
    if (outside(before, container.index) != outside(after, newIndex))
        return std::nullopt;

    SourcePatch patch;
    patch.parentPath = container.path;
    patch.first = int(first);
    patch.count = int(last - first);
    patch.markup = QString::fromUtf8(after.text().constData() + stretchFrom,
                                     stretchTo + change.delta - stretchFrom);
    patch.shape = shapeOf(after, newChildren, first, newCount);
    return patch;
}

}

std::optional<SourcePatch> planSourcePatch(const SourceTree& before, const SourceTree& after)
{
    const QByteArray& oldText = before.text();
    const QByteArray& newText = after.text();
    if (oldText == newText || before.size() == 0 || after.size() == 0)
        return std::nullopt;
    const qsizetype shorter = std::min(oldText.size(), newText.size());
    qsizetype from = 0;
    while (from < shorter && oldText[from] == newText[from])
        ++from;
    qsizetype tail = 0;
    while (tail < shorter - from
           && oldText[oldText.size() - 1 - tail] == newText[newText.size() - 1 - tail])
        ++tail;
    const Change change{from, oldText.size() - tail, newText.size() - oldText.size()};
    // The innermost element that takes the change, or else one around it:
    // new blocks typed inside a paragraph end it, and go in its parent.
    const std::vector<Found> found = containers(before, change.from, change.oldTo);
    for (auto it = found.rbegin(); it != found.rend(); ++it) {
        if (std::optional<SourcePatch> patch = patchInside(before, after, *it, change))
            return patch;
    }
    return std::nullopt;
}

}
