#include "markup/SourceEditScope.h"

#include "markup/SourceTree.h"

#include <QSet>

#include <algorithm>

namespace ink {

namespace {

// An element with both of its tags in the text, whose content holds the
// bytes [from, to) of it.
bool containsEdit(const SourceNode& node, qsizetype from, qsizetype to)
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

// Where a node's text starts: the parser reports text that starts with a
// CR LF from its LF.
qsizetype textStart(const SourceTree& tree, int index)
{
    const SourceNode& node = tree.node(index);
    const bool crSkipped = node.key.startsWith(QLatin1Char('#')) && node.start > 0
        && tree.text()[node.start - 1] == '\r';
    return crSkipped ? node.start - 1 : node.start;
}

}

std::optional<TextEdit> findTextEdit(const QByteArray& before, const QByteArray& after)
{
    if (before == after)
        return std::nullopt;
    const qsizetype shorter = std::min(before.size(), after.size());
    const char* a = before.constData();
    const char* b = after.constData();
    const qsizetype from = qsizetype(std::mismatch(a, a + shorter, b).first - a);
    const auto tail = std::mismatch(std::make_reverse_iterator(a + before.size()),
                                    std::make_reverse_iterator(a + from),
                                    std::make_reverse_iterator(b + after.size()),
                                    std::make_reverse_iterator(b + from));
    qsizetype same = qsizetype(tail.first - std::make_reverse_iterator(a + before.size()));
    same = std::min(same, shorter - from);
    return TextEdit{from, before.size() - same, after.size() - before.size()};
}

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

std::vector<EditStep> editPath(const SourceTree& tree, const TextEdit& edit)
{
    std::vector<EditStep> steps;
    if (tree.size() == 0)
        return steps;
    int at = 0;
    int atEnd = tree.size();
    for (bool deeper = true; deeper;) {
        deeper = false;
        const std::vector<int>& children = tree.node(at).children;
        for (size_t i = 0; i < children.size(); ++i) {
            const SourceNode& child = tree.node(children[i]);
            if (child.start > edit.from)
                break;
            if (child.end < edit.oldTo)
                continue;
            // A node's descendants run up to its next sibling.
            const int end = i + 1 < children.size() ? children[i + 1] : atEnd;
            steps.push_back(
                {children[i], int(i), containsEdit(child, edit.from, edit.oldTo), end});
            at = children[i];
            atEnd = end;
            deeper = true;
            break;
        }
    }
    return steps;
}

QString pathText(const std::vector<EditStep>& steps, size_t depth)
{
    QString path;
    for (size_t i = 0; i <= depth && i < steps.size(); ++i) {
        if (i > 0)
            path += QLatin1Char('.');
        path += QString::number(steps[i].childNumber);
    }
    return path;
}

std::optional<EditStretch> editStretch(const SourceTree& tree, int element, const TextEdit& edit)
{
    const SourceNode& parent = tree.node(element);
    const std::vector<int>& children = parent.children;
    if (!inOrder(tree, children))
        return std::nullopt;
    EditStretch stretch;
    stretch.first = size_t(std::find_if(children.begin(), children.end(), [&](int child) {
                               return tree.node(child).end >= edit.from;
                           }) - children.begin());
    stretch.last = stretch.first;
    while (stretch.last < children.size() && textStart(tree, children[stretch.last]) <= edit.oldTo)
        ++stretch.last;
    const size_t first = stretch.first;
    const size_t last = stretch.last;
    // Text after the element's end tag that the parser put inside it (after
    // </body>) is not in the stretch.
    if (last == children.size() && last > 0 && tree.node(children.back()).end > parent.closeStart)
        return std::nullopt;
    // The stretch of text they stand for: from the content's start or to its
    // end when they are the first or last children, so that text between
    // the tags and the children goes too.
    // An edit in text the parser ignored (a stray end tag) before the first
    // child or after the last one replaces no child: its stretch reaches
    // from the content's start to the first child, or from the last child
    // to the content's end.
    stretch.from = first == 0       ? parent.openEnd
        : first < children.size()   ? textStart(tree, children[first])
                                    : tree.node(children[first - 1]).end;
    stretch.to = last == children.size() ? parent.closeStart
        : last > first                   ? tree.node(children[last - 1]).end
                                         : textStart(tree, children[last]);
    if (stretch.from > edit.from || stretch.to < edit.oldTo)
        return std::nullopt;
    return stretch;
}

QString shapeOf(const SourceTree& tree, const std::vector<int>& children, size_t first,
                size_t count)
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

}
