#pragma once
#include <QByteArray>
#include <QString>

#include <vector>

namespace ink {

// Where each node of a page's parse tree stands in the page's text. The tree
// is built by the same parsing algorithm the web engine follows, so a node's
// path (child indices from the document down, the DOCTYPE not counted) names
// the same node in the engine's document.
//
// Offsets are byte offsets into the UTF-8 text.
struct SourceNode {
    // "P" (upper-case element name), "#" + length (text), "!" + length
    // (comment), lengths in UTF-16 code units as the engine counts them.
    QString key;
    qsizetype start = 0;        // first byte of the node, its start tag included
    qsizetype end = 0;          // one past its last byte, its end tag included
    qsizetype openEnd = 0;      // end of the start tag (== start for an implied one)
    qsizetype closeStart = -1;  // the end tag, -1 when the source has none
    qsizetype closeEnd = -1;
    std::vector<int> children;  // indices into SourceTree::nodes, in order
};

class SourceTree {
public:
    // Parses `utf8`; nodes[0] is the document and spans the whole text.
    static SourceTree parse(const QByteArray& utf8);

    const QByteArray& text() const { return text_; }
    const SourceNode& node(int index) const { return nodes_[size_t(index)]; }
    // The node at a path like "0.1.4" ("" is the document); -1 when none.
    int find(const QString& path) const;
    // How many nodes the tree has. Nodes are numbered in document order, so
    // a node's descendants follow it: indices index + 1 .. end(index) - 1.
    int size() const { return int(nodes_.size()); }
    int subtreeEnd(int index) const;

private:
    QByteArray text_;
    std::vector<SourceNode> nodes_;
};

}
