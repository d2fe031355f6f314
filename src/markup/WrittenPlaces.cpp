#include "markup/WrittenPlaces.h"

#include "markup/SourceTree.h"

#include <QStringList>

#include <algorithm>

namespace ink {

namespace {

bool dropsLeadingBreak(const QString& key)
{
    return key == QLatin1String("PRE") || key == QLatin1String("LISTING")
        || key == QLatin1String("TEXTAREA");
}

QString childPathOf(const QString& parent, qsizetype index)
{
    return parent.isEmpty() ? QString::number(index)
                            : parent + QLatin1Char('.') + QString::number(index);
}

QString joined(const QStringList& steps, qsizetype from)
{
    return from >= steps.size() ? QString() : steps.mid(from).join(QLatin1Char('.'));
}

// The node a piece of new markup stands for in the parse of that markup
// alone: the first node of the head or the body that is not layout.
int topNode(const SourceTree& tree)
{
    if (tree.size() == 0)
        return -1;
    for (const int html : tree.node(0).children) {
        if (tree.node(html).key != QLatin1String("HTML"))
            continue;
        for (const int part : tree.node(html).children) {
            for (const int child : tree.node(part).children) {
                const SourceNode& node = tree.node(child);
                const bool layout = node.key.startsWith(QLatin1Char('#'))
                    && tree.text().mid(node.start, node.end - node.start).trimmed().isEmpty();
                if (!layout)
                    return child;
            }
        }
    }
    return -1;
}

}

WrittenPlaces::WrittenPlaces(const SourceTree& source)
    : source_(source)
{
}

int WrittenPlaces::addElement(WrittenElement element)
{
    elements_.push_back(std::move(element));
    return int(elements_.size()) - 1;
}

const WrittenPlaces::Piece* WrittenPlaces::pieceOf(const WrittenElement& element,
                                                   qsizetype child) const
{
    const std::vector<Piece>& pieces = element.children;
    auto it = std::upper_bound(pieces.begin(), pieces.end(), child,
                               [](qsizetype at, const Piece& piece) { return at < piece.first; });
    if (it == pieces.begin())
        return nullptr;
    --it;
    return child < it->first + it->count ? &*it : nullptr;
}

qsizetype WrittenPlaces::childStart(const Piece& piece, qsizetype child) const
{
    if (piece.kind != Piece::Source || piece.count == 1)
        return piece.start;
    const int node = source_.node(piece.parent).children[size_t(piece.index + child)];
    return source_.node(node).start + piece.delta;
}

qsizetype WrittenPlaces::childEnd(const Piece& piece, qsizetype child) const
{
    if (piece.kind != Piece::Source || piece.count == 1)
        return piece.end;
    const int node = source_.node(piece.parent).children[size_t(piece.index + child)];
    return source_.node(node).end + piece.delta;
}

qsizetype WrittenPlaces::offsetOf(const DomPoint& point, bool rangeEnd) const
{
    const QStringList steps = point.path.isEmpty() ? QStringList()
                                                   : point.path.split(QLatin1Char('.'));
    const Piece* piece = &root_;
    qsizetype child = 0; // which of the piece's siblings
    const WrittenElement* parent = nullptr;
    bool firstChild = false;
    for (qsizetype i = 0; i < steps.size(); ++i) {
        if (piece->kind != Piece::Element)
            return offsetIn(*piece, child, steps, i, point, rangeEnd);
        const WrittenElement& element = elements_[size_t(piece->node)];
        bool ok = false;
        const qsizetype k = steps[i].toLongLong(&ok);
        const Piece* holder = ok ? pieceOf(element, k) : nullptr;
        if (!holder)
            return -1;
        parent = &element;
        firstChild = k == 0;
        piece = holder;
        child = k - holder->first;
    }
    if (piece->kind == Piece::Text)
        return textOffset(*piece, parent, firstChild, point.offset);
    if (piece->kind != Piece::Element)
        return offsetIn(*piece, child, steps, steps.size(), point, rangeEnd);
    // Between the children of an element written piece by piece, as
    // sourceOffset() places it between a parsed element's children.
    const WrittenElement& element = elements_[size_t(piece->node)];
    const std::vector<Piece>& pieces = element.children;
    const qsizetype n = pieces.empty() ? 0 : pieces.back().first + pieces.back().count;
    const qsizetype k = std::clamp<qsizetype>(point.offset, 0, n);
    if (k > 0 && (rangeEnd || k == n)) {
        const Piece* before = pieceOf(element, k - 1);
        return childEnd(*before, k - 1 - before->first);
    }
    if (k < n) {
        const Piece* at = pieceOf(element, k);
        return childStart(*at, k - at->first);
    }
    return element.closeStart >= 0 ? element.closeStart : element.openEnd;
}

// The original node is the same in the written text, moved by the piece's
// delta: the parse of the source places a selection inside it as the parse
// of the written text would, under the node's path in the edited document.
std::optional<DomRange> WrittenPlaces::domRangeOf(const SourceRange& range) const
{
    if (range.anchor == range.focus)
        return placeOf(range.anchor, PointSide::Caret);
    // Each end on its own, as domRange() places them.
    const qsizetype first = std::min(range.anchor, range.focus);
    const qsizetype last = std::max(range.anchor, range.focus);
    const std::optional<DomRange> start = placeOf(first, PointSide::Start);
    const std::optional<DomRange> end = placeOf(last, PointSide::End);
    if (!start || !end)
        return std::nullopt;
    return range.anchor < range.focus ? DomRange{start->anchor, end->anchor}
                                      : DomRange{end->anchor, start->anchor};
}

// One end of a selection, or a caret (which may come back as an element's
// range), at `byte` of the written text.
std::optional<DomRange> WrittenPlaces::placeOf(qsizetype byte, PointSide side) const
{
    const qsizetype from = byte;
    const qsizetype to = byte;
    const Piece* piece = &root_;
    QString path;
    const WrittenElement* parent = nullptr;
    while (piece->kind == Piece::Element) {
        const WrittenElement& element = elements_[size_t(piece->node)];
        parent = &element;
        const qsizetype contentEnd = element.closeStart >= 0 ? element.closeStart : element.end;
        if (from < element.openEnd || to > contentEnd)
            return std::nullopt;
        const std::vector<Piece>& pieces = element.children;
        auto it = std::upper_bound(pieces.begin(), pieces.end(), from,
                                   [](qsizetype at, const Piece& p) { return at < p.start; });
        if (it == pieces.begin())
            return std::nullopt;
        piece = &*std::prev(it);
        if (piece->kind == Piece::Element)
            path = childPathOf(path, piece->first);
    }
    if (piece->kind == Piece::Text && parent && parent != &elements_[0]
        && parent->key != QLatin1String("HTML") && from > piece->start && to < piece->end) {
        // A text written anew: its characters counted in the bytes written,
        // after a leading line break its element drops.
        const QByteArray& text = piece->written;
        const qsizetype skip = droppedBreak(*piece, parent, piece->first == 0);
        const DomPoint at{childPathOf(path, piece->first),
                          int(textUnitsAt(text, skip, text.size(),
                                          std::max(skip, byte - piece->start), piece->raw))};
        return DomRange{at, at};
    }
    if (piece->kind != Piece::Source)
        return std::nullopt;
    // The sibling of a run that holds the selection, strictly inside it.
    qsizetype child = 0;
    if (piece->count > 1) {
        qsizetype low = 0;
        qsizetype high = piece->count - 1;
        while (low < high) {
            const qsizetype middle = (low + high + 1) / 2;
            if (childStart(*piece, middle) <= from)
                low = middle;
            else
                high = middle - 1;
        }
        child = low;
    }
    // At the edge of the node, the place depends on its neighbour: within a
    // run that neighbour is an original node too, the same in both texts.
    const bool firstOfRun = child == 0;
    const bool lastOfRun = child == piece->count - 1;
    if (from < childStart(*piece, child) || (firstOfRun && from == childStart(*piece, child))
        || to > childEnd(*piece, child) || (lastOfRun && to == childEnd(*piece, child)))
        return std::nullopt;
    const int node = piece->parent >= 0
        ? source_.node(piece->parent).children[size_t(piece->index + child)]
        : piece->node;
    const qsizetype inSource = byte - piece->delta;
    std::optional<DomRange> found;
    if (side == PointSide::Caret) {
        found = domRange(source_, {inSource, inSource});
    } else {
        const DomPoint point = domPointBelow(source_, 0, QString(), inSource, side);
        found = DomRange{point, point};
    }
    if (!found)
        return std::nullopt;
    // The node's own path in the source's parse is the prefix of the found
    // points that leads to it.
    const QString edited = childPathOf(path, piece->first + child);
    const auto moved = [&](const DomPoint& point) -> std::optional<DomPoint> {
        const QStringList steps = point.path.split(QLatin1Char('.'), Qt::SkipEmptyParts);
        int at = 0;
        for (qsizetype i = 0; i < steps.size(); ++i) {
            bool ok = false;
            const qsizetype k = steps[i].toLongLong(&ok);
            const std::vector<int>& children = source_.node(at).children;
            if (!ok || k < 0 || k >= qsizetype(children.size()))
                return std::nullopt;
            at = children[size_t(k)];
            if (at == node) {
                const QString rest = joined(steps, i + 1);
                return DomPoint{rest.isEmpty() ? edited : edited + QLatin1Char('.') + rest,
                                point.offset};
            }
        }
        // Just before or after the node in its parent (the node selected
        // whole): the same place beside it in the written element.
        const qsizetype beside = point.offset - (piece->index + child);
        if (piece->parent >= 0 && at == piece->parent && (beside == 0 || beside == 1))
            return DomPoint{path, int(piece->first + child + beside)};
        return std::nullopt;
    };
    const std::optional<DomPoint> anchor = moved(found->anchor);
    const std::optional<DomPoint> focus = moved(found->focus);
    if (!anchor || !focus)
        return std::nullopt;
    return DomRange{*anchor, *focus};
}

// Below a piece that is not written piece by piece, from `steps[step]` on.
qsizetype WrittenPlaces::offsetIn(const Piece& piece, qsizetype child, const QStringList& steps,
                                  qsizetype step, const DomPoint& point, bool rangeEnd) const
{
    switch (piece.kind) {
    case Piece::Source: {
        const QString rest = joined(steps, step);
        qsizetype at = -1;
        if (piece.parent >= 0) {
            // From the parent, which knows whether a leading line break is
            // the text's or was dropped by the parser.
            const QString index = QString::number(piece.index + child);
            const QString relative = rest.isEmpty() ? index : index + QLatin1Char('.') + rest;
            at = sourceOffsetBelow(source_, piece.parent, relative, point.offset, rangeEnd);
        } else {
            at = sourceOffsetBelow(source_, piece.node, rest, point.offset, rangeEnd);
        }
        return at < 0 ? -1 : at + piece.delta;
    }
    case Piece::New:
        return newMarkupOffset(piece, steps, step, point.offset, rangeEnd);
    default:
        return -1;
    }
}

qsizetype WrittenPlaces::textOffset(const Piece& piece, const WrittenElement* parent,
                                    bool firstChild, int offset) const
{
    const QByteArray& text = piece.written;
    const qsizetype from = droppedBreak(piece, parent, firstChild);
    return piece.start + textByteAt(text, from, text.size(), std::max(offset, 0), piece.raw);
}

// The bytes of a leading line break the text's element drops (the first
// child of a PRE, LISTING or TEXTAREA): the document's text starts after it.
qsizetype WrittenPlaces::droppedBreak(const Piece& piece, const WrittenElement* parent,
                                      bool firstChild)
{
    const QByteArray& text = piece.written;
    if (!parent || !firstChild || piece.units < 0 || !dropsLeadingBreak(parent->key)
        || text.isEmpty())
        return 0;
    const qsizetype lineBreak = text.startsWith("\r\n")              ? 2
        : (text[0] == '\n' || text[0] == '\r') ? 1
                                               : 0;
    if (lineBreak > 0
        && textUnitsAt(text, 0, text.size(), text.size(), piece.raw) == piece.units + 1)
        return lineBreak;
    return 0;
}

// A place inside markup the page did not have is found in the parse of that
// markup alone; where it cannot be, the place before the markup stands for it.
qsizetype WrittenPlaces::newMarkupOffset(const Piece& piece, const QStringList& steps,
                                         qsizetype step, int offset, bool rangeEnd) const
{
    const SourceTree tree = SourceTree::parse(piece.written);
    const int top = topNode(tree);
    if (top < 0)
        return piece.start;
    const qsizetype at = sourceOffsetBelow(tree, top, joined(steps, step), offset, rangeEnd);
    return at < 0 ? piece.start : piece.start + at;
}

}
