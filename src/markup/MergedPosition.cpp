#include "markup/MergedPosition.h"

#include "markup/SourceTree.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>

#include <algorithm>

namespace ink {

namespace {

bool isChangedText(const QJsonValue& item)
{
    return item.isObject() && item.toObject().contains(QLatin1String("t"));
}

bool hasItems(const QJsonValue& item)
{
    return item.isObject() && item.toObject().contains(QLatin1String("c"));
}

// How many children of the document as it is now the item stands for.
int childCount(const QJsonValue& item)
{
    return item.isObject() && item.toObject().contains(QLatin1String("r"))
        ? std::max(1, item.toObject().value(QLatin1String("r")).toInt())
        : 1;
}

// How many places the item and the items inside it take.
size_t slotCount(const QJsonValue& item)
{
    size_t count = 1;
    if (hasItems(item)) {
        for (const QJsonValue& child : item.toObject().value(QLatin1String("c")).toArray())
            count += slotCount(child);
    }
    return count;
}

QString joinedPath(const QString& path, int index)
{
    return path.isEmpty() ? QString::number(index)
                          : path + QLatin1Char('.') + QString::number(index);
}

QString pathOf(const QJsonObject& item)
{
    return item.value(QLatin1String("p")).toString();
}

// The markup of a changed text as written: a line break it started with is
// left out where the output stood at the start of a line.
QByteArray writtenMarkup(const QJsonObject& item, const MergedPlace& place, qsizetype* skip)
{
    const QByteArray bytes = item.value(QLatin1String("t")).toString().toUtf8();
    *skip = std::clamp<qsizetype>(bytes.size() - (place.end - place.start), 0, bytes.size());
    return bytes;
}

}

MergedPosition::MergedPosition(const SourceTree& tree, const QJsonValue& document,
                               const std::vector<MergedPlace>& places)
    : tree_(tree)
    , document_(document)
    , places_(places)
{
}

MergedPosition::Run MergedPosition::runOf(const QJsonObject& item) const
{
    Run run;
    const QString path = pathOf(item);
    run.first = tree_.find(path);
    run.count = item.contains(QLatin1String("r")) ? std::max(1, item.value(QLatin1String("r")).toInt())
                                                   : 1;
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    run.parentPath = dot < 0 ? QString() : path.left(dot);
    run.from = path.mid(dot + 1).toInt();
    return run;
}

int MergedPosition::sibling(const Run& run, int j) const
{
    if (j == 0)
        return run.first;
    return tree_.find(joinedPath(run.parentPath, run.from + j));
}

// Untouched siblings are written as one stretch of their source.
qsizetype MergedPosition::inRun(const QJsonObject& item, size_t slot, int j,
                                const QStringList& rest, int offset, bool rangeEnd) const
{
    const Run run = runOf(item);
    const int node = sibling(run, j);
    if (run.first < 0 || node < 0)
        return -1;
    const qsizetype byte =
        sourceOffsetBelow(tree_, node, rest.join(QLatin1Char('.')), offset, rangeEnd);
    if (byte < 0)
        return -1;
    return places_[slot].start + (byte - tree_.node(run.first).start);
}

// The place before the k-th child of an element item, or after the one
// before it for the end of a selection.
qsizetype MergedPosition::childBoundary(const QJsonObject& item, size_t slot, int k,
                                        bool rangeEnd) const
{
    const QJsonArray children = item.value(QLatin1String("c")).toArray();
    int total = 0;
    for (const QJsonValue& child : children)
        total += childCount(child);
    k = std::clamp(k, 0, total);
    const bool after = k > 0 && (rangeEnd || k == total);
    const int wanted = after ? k - 1 : k;
    int index = 0;
    size_t childSlot = slot + 1;
    for (const QJsonValue& child : children) {
        const int count = childCount(child);
        if (wanted < index + count) {
            if (child.isObject() && !hasItems(child) && !isChangedText(child)) {
                const Run run = runOf(child.toObject());
                const int node = sibling(run, wanted - index);
                if (run.first >= 0 && node >= 0) {
                    const SourceNode& n = tree_.node(node);
                    return places_[childSlot].start + (after ? n.end : n.start)
                        - tree_.node(run.first).start;
                }
            }
            return after ? places_[childSlot].end : places_[childSlot].start;
        }
        index += count;
        childSlot += slotCount(child);
    }
    const MergedPlace& place = places_[slot];
    const QString path = pathOf(item);
    if (path.isEmpty())
        return place.start;
    const int node = tree_.find(path);
    const QJsonValue tag = item.value(QLatin1String("a"));
    const qsizetype tagLength = tag.isString() ? tag.toString().toUtf8().size()
        : node >= 0 ? tree_.node(node).openEnd - tree_.node(node).start
                    : 0;
    return place.start + tagLength;
}

qsizetype MergedPosition::sourceOffset(const DomPoint& point, bool rangeEnd) const
{
    if (places_.empty())
        return -1;
    const QStringList steps =
        point.path.isEmpty() ? QStringList() : point.path.split(QLatin1Char('.'));
    QJsonValue item = document_;
    size_t slot = 0;
    for (int i = 0;; ++i) {
        const MergedPlace& place = places_[slot];
        if (item.isString())
            return rangeEnd && point.offset > 0 ? place.end : place.start;
        const QJsonObject object = item.toObject();
        if (isChangedText(item)) {
            if (i < steps.size())
                return place.start;
            qsizetype skip = 0;
            const QByteArray markup = writtenMarkup(object, place, &skip);
            return place.start
                + textByteAt(markup, skip, markup.size(), std::max(point.offset, 0), false) - skip;
        }
        if (!hasItems(item))
            return inRun(object, slot, 0, steps.mid(i), point.offset, rangeEnd);
        if (i == steps.size())
            return childBoundary(object, slot, point.offset, rangeEnd);
        bool ok = false;
        const int wanted = steps[i].toInt(&ok);
        if (!ok)
            return -1;
        int index = 0;
        size_t childSlot = slot + 1;
        bool found = false;
        for (const QJsonValue& child : object.value(QLatin1String("c")).toArray()) {
            const int count = childCount(child);
            if (wanted < index + count) {
                if (child.isObject() && !hasItems(child) && !isChangedText(child))
                    return inRun(child.toObject(), childSlot, wanted - index, steps.mid(i + 1),
                                 point.offset, rangeEnd);
                item = child;
                slot = childSlot;
                found = true;
                break;
            }
            index += count;
            childSlot += slotCount(child);
        }
        if (!found)
            return -1;
    }
}

DomPoint MergedPosition::nodePoint(int node, const QString& parentPath, int index,
                                   qsizetype byte, PointSide side,
                                   std::optional<DomRange>* element) const
{
    const SourceNode& n = tree_.node(node);
    if (isHiddenNode(tree_, node))
        return {parentPath, side == PointSide::End ? index : index + 1};
    const bool inStartTag = byte > n.start && byte < n.openEnd;
    const bool inEndTag = n.closeStart >= 0 && byte > n.closeStart && byte < n.closeEnd;
    if (inStartTag || inEndTag) {
        if (side == PointSide::Caret) {
            if (element)
                *element = DomRange{{parentPath, index}, {parentPath, index + 1}};
            return {parentPath, index};
        }
        return {parentPath, inEndTag ? index + 1 : index};
    }
    if (byte == n.start && n.openEnd > n.start)
        return {parentPath, index};
    return domPointBelow(tree_, node, joinedPath(parentPath, index), byte, side, element);
}

DomPoint MergedPosition::point(qsizetype byte, PointSide side,
                               std::optional<DomRange>* element) const
{
    QJsonValue item = document_;
    size_t slot = 0;
    QString path;
    QString parentPath;
    int indexInParent = 0;
    for (;;) {
        const QJsonObject object = item.toObject();
        const MergedPlace& place = places_[slot];
        if (!path.isEmpty()) {
            const int node = tree_.find(pathOf(object));
            const QJsonValue tag = object.value(QLatin1String("a"));
            const qsizetype tagLength = tag.isString() ? tag.toString().toUtf8().size()
                : node >= 0 ? tree_.node(node).openEnd - tree_.node(node).start
                            : 0;
            if (byte > place.start && byte < place.start + tagLength) {
                if (side == PointSide::Caret && element)
                    *element = DomRange{{parentPath, indexInParent},
                                        {parentPath, indexInParent + 1}};
                return {parentPath, indexInParent};
            }
        }
        int index = 0;
        size_t childSlot = slot + 1;
        bool descended = false;
        for (const QJsonValue& child : object.value(QLatin1String("c")).toArray()) {
            const MergedPlace& at = places_[childSlot];
            const bool text = isChangedText(child);
            if (byte < at.start)
                return {path, index};
            if (byte < at.end || (text && byte == at.end)) {
                if (child.isString())
                    return {path, side == PointSide::End && byte > at.start ? index + 1 : index};
                const QJsonObject inner = child.toObject();
                if (text) {
                    qsizetype skip = 0;
                    const QByteArray markup = writtenMarkup(inner, at, &skip);
                    return {joinedPath(path, index),
                            int(textUnitsAt(markup, skip, markup.size(), byte - at.start + skip,
                                            false))};
                }
                if (hasItems(child)) {
                    parentPath = path;
                    indexInParent = index;
                    path = joinedPath(path, index);
                    item = child;
                    slot = childSlot;
                    descended = true;
                    break;
                }
                const Run run = runOf(inner);
                if (run.first < 0)
                    return {path, index};
                const qsizetype source = tree_.node(run.first).start + (byte - at.start);
                for (int j = 0; j < run.count; ++j) {
                    const int node = sibling(run, j);
                    if (node < 0)
                        break;
                    const SourceNode& n = tree_.node(node);
                    if (source < n.start)
                        return {path, index + j};
                    if (source < n.end || (n.key.startsWith(QLatin1Char('#')) && source == n.end))
                        return nodePoint(node, path, index + j, source, side, element);
                }
                return {path, index + run.count};
            }
            index += childCount(child);
            childSlot += slotCount(child);
        }
        if (!descended)
            return {path, index};
    }
}

std::optional<DomRange> MergedPosition::domRange(const SourceRange& range) const
{
    if (places_.empty() || !document_.isObject())
        return std::nullopt;
    const qsizetype size = places_.front().end;
    const qsizetype anchor = std::clamp<qsizetype>(range.anchor, 0, size);
    const qsizetype focus = std::clamp<qsizetype>(range.focus, 0, size);
    if (anchor == focus) {
        std::optional<DomRange> element;
        const DomPoint caret = point(anchor, PointSide::Caret, &element);
        return element ? element : DomRange{caret, caret};
    }
    const DomPoint start = point(std::min(anchor, focus), PointSide::Start, nullptr);
    const DomPoint end = point(std::max(anchor, focus), PointSide::End, nullptr);
    return anchor < focus ? DomRange{start, end} : DomRange{end, start};
}

}
