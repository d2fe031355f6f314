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
    SourceTree() = default;
    // A tree put together by the caller: `nodes` as parse() numbers them.
    SourceTree(QByteArray text, std::vector<SourceNode> nodes, bool formattingCarried);

    // Parses `utf8`; nodes[0] is the document and spans the whole text.
    static SourceTree parse(const QByteArray& utf8);
    // Parses the bytes [from, to) of `text` as the content of an element
    // named `context` (an upper-case key), as the engine reads markup set
    // into an element: nodes[0] stands for that element, and the offsets
    // are into the whole of `text`. parseErrors() says how many rules of
    // the markup the bytes broke.
    static SourceTree parseContent(const QByteArray& text, qsizetype from, qsizetype to,
                                   const QString& context);

    const QByteArray& text() const { return text_; }
    const SourceNode& node(int index) const { return nodes_[size_t(index)]; }
    // The node at a path like "0.1.4" ("" is the document); -1 when none.
    int find(const QString& path) const;
    // How many nodes the tree has. Nodes are numbered in document order, so
    // a node's descendants follow it: indices index + 1 .. end(index) - 1.
    int size() const { return int(nodes_.size()); }
    int subtreeEnd(int index) const;

    // Whether the parser carries a formatting element (B, A, FONT...) over
    // to later content: one closed by anything but its own end tag, made
    // again after misnested tags, or a node moved out of a table. What a
    // stretch of such a page makes then depends on all that came before it.
    bool formattingCarried() const { return formattingCarried_; }
    int parseErrors() const { return parseErrors_; }

private:
    QByteArray text_;
    std::vector<SourceNode> nodes_;
    bool formattingCarried_ = false;
    int parseErrors_ = 0;
};

}
