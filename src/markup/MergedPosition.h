#pragma once
#include "markup/SourceMerge.h"
#include "markup/SourcePosition.h"

#include <QJsonValue>

#include <optional>
#include <vector>

namespace ink {

class SourceTree;

// Places in a document edited since it was loaded, against the text that
// mergeSource() wrote for it: the description of the edits names each
// node of the document as it is now, and where it was written. Untouched
// nodes are found in the tree of the loaded text; a changed text is
// counted in its new markup; inside a node the page did not have there is
// no finer place than before or after it.
class MergedPosition {
public:
    // `document` and `places` as mergeSource() took and gave them.
    MergedPosition(const SourceTree& tree, const QJsonValue& document,
                   const std::vector<MergedPlace>& places);

    // The byte of the merged text at a point of the document; -1 when the
    // path names no node. `rangeEnd` as for sourceOffset().
    qsizetype sourceOffset(const DomPoint& point, bool rangeEnd = false) const;
    // The document's selection for a selection of the merged text, by the
    // rules of domRange().
    std::optional<DomRange> domRange(const SourceRange& range) const;

private:
    struct Run {
        int first = -1;     // first node in the tree
        int count = 1;
        QString parentPath; // in the tree
        int from = 0;       // index of the first among its siblings
    };

    Run runOf(const QJsonObject& item) const;
    int sibling(const Run& run, int j) const;
    qsizetype childBoundary(const QJsonObject& item, size_t slot, int k, bool rangeEnd) const;
    qsizetype inRun(const QJsonObject& item, size_t slot, int j, const QStringList& rest,
                    int offset, bool rangeEnd) const;
    DomPoint point(qsizetype byte, PointSide side, std::optional<DomRange>* element) const;
    DomPoint nodePoint(int node, const QString& parentPath, int index, qsizetype byte,
                       PointSide side, std::optional<DomRange>* element) const;

    const SourceTree& tree_;
    QJsonValue document_;
    std::vector<MergedPlace> places_;
};

}
