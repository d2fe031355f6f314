#pragma once
#include "markup/SourcePosition.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace ink {

class SourceTree;

// Where the source merge wrote each node of the edited document in the text
// it wrote, by the node's path in the edited document. A point of that
// document is found in the written text by this record alone, without
// parsing the text: an untouched node stands where its source text went, a
// rewritten text or new markup where it was written.
class WrittenPlaces {
public:
    // One child of a written element, in the edited document's order.
    struct Piece {
        enum Kind : unsigned char {
            Source,  // the source text of the original node `node` (with `count` - 1
                     // siblings after it), moved by `delta`
            Text,    // a text written anew: its characters are those of [start, end)
            New,     // markup of a node the page did not have (or written whole)
            Element, // an element written piece by piece: elements()[node]
        };
        Kind kind = Source;
        bool raw = false;     // Text: inside a script or style sheet
        int node = -1;
        int parent = -1;      // Source: the original parent the node is a child of
        int index = -1;       //   and its place among that parent's children
        int units = -1;       // Text: its length in UTF-16 units, when known
        int first = 0;        // the first child of the written element it stands for
        int count = 1;        // Source: how many siblings from `index` on it holds
        qsizetype start = 0;  // where it stands in the written text
        qsizetype end = 0;
        qsizetype delta = 0;  // Source: written offset less source offset
        QByteArray written;   // Text, New: the bytes written for it (the rest of the
                              // written text is not kept)
    };

    struct WrittenElement {
        QString key;             // the element's name as SourceNode keys it ("" for the document)
        qsizetype start = 0;
        qsizetype openEnd = 0;
        qsizetype closeStart = -1; // its end tag, -1 when none was written
        qsizetype end = 0;
        std::vector<Piece> children;
    };

    // `source` is the parse the merge read; it must outlive this record.
    explicit WrittenPlaces(const SourceTree& source);

    // The byte offset in the written text of a point of the edited
    // document, as sourceOffset() gives it for a parsed text; -1 when the
    // path names no node that was written.
    qsizetype offsetOf(const DomPoint& point, bool rangeEnd = false) const;
    // The selection of the edited document that stands for a selection of
    // the written text, as domRange() gives it for a parse of that text,
    // where each end lies inside an original node written as its source
    // text, or inside a text written anew; none elsewhere (the caller then
    // parses the written text).
    std::optional<DomRange> domRangeOf(const SourceRange& range) const;
    // The length of the written text in bytes.
    qsizetype size() const { return size_; }

    // Built by the merge.
    void setSize(qsizetype size) { size_ = size; }
    void setRoot(const Piece& root) { root_ = root; }
    int addElement(WrittenElement element);
    WrittenElement& element(int index) { return elements_[size_t(index)]; }
    const WrittenElement& element(int index) const { return elements_[size_t(index)]; }

private:
    // The piece of `element` that holds its child `child`, and that child's
    // original node and span in the written text.
    const Piece* pieceOf(const WrittenElement& element, qsizetype child) const;
    qsizetype childStart(const Piece& piece, qsizetype child) const;
    qsizetype childEnd(const Piece& piece, qsizetype child) const;
    qsizetype offsetIn(const Piece& piece, qsizetype child, const QStringList& steps,
                       qsizetype step, const DomPoint& point, bool rangeEnd) const;
    std::optional<DomRange> placeOf(qsizetype byte, PointSide side) const;
    static qsizetype droppedBreak(const Piece& piece, const WrittenElement* parent,
                                  bool firstChild);
    qsizetype textOffset(const Piece& piece, const WrittenElement* parent, bool firstChild,
                         int offset) const;
    qsizetype newMarkupOffset(const Piece& piece, const QStringList& steps, qsizetype step,
                              int offset, bool rangeEnd) const;

    const SourceTree& source_;
    qsizetype size_ = 0;
    Piece root_;
    std::vector<WrittenElement> elements_;
};

}
