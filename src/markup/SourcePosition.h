#pragma once
#include <QByteArray>
#include <QString>

#include <optional>

namespace ink {

class SourceTree;

// A place in the shown document: the node at `path` (a SourceTree path) and
// an offset in it, in UTF-16 units for a text or comment node, as a child
// index for an element or the document.
struct DomPoint {
    QString path;
    int offset = 0;

    bool operator==(const DomPoint& other) const
    {
        return path == other.path && offset == other.offset;
    }
    bool operator!=(const DomPoint& other) const { return !(*this == other); }
};

// A selection in the shown document; a caret when both ends are the same.
struct DomRange {
    DomPoint anchor;
    DomPoint focus;

    bool operator==(const DomRange& other) const
    {
        return anchor == other.anchor && focus == other.focus;
    }
    bool operator!=(const DomRange& other) const { return !(*this == other); }
};

// A selection in the page's text, as byte offsets into its UTF-8 form.
struct SourceRange {
    qsizetype anchor = 0;
    qsizetype focus = 0;

    bool operator==(const SourceRange& other) const
    {
        return anchor == other.anchor && focus == other.focus;
    }
    bool operator!=(const SourceRange& other) const { return !(*this == other); }
};

// Counting the characters of a text node's source: an entity or character
// reference is what it stands for (never split), a CR LF or a lone CR is
// one line feed, a UTF-8 sequence is one or two UTF-16 units. In raw text
// (a script or style sheet) "&" is itself.
//
// The byte, from `from`, where the first `units` units of the text end
// (at most `to`).
qsizetype textByteAt(const QByteArray& text, qsizetype from, qsizetype to, qsizetype units,
                     bool raw);
// The units of the text from `from` up to `byte`; a byte inside a reference
// or a character counts as the place before it.
qsizetype textUnitsAt(const QByteArray& text, qsizetype from, qsizetype to, qsizetype byte,
                      bool raw);

// The byte offset in the tree's text of a point of the document; -1 when
// the path names no node. `rangeEnd` says the point ends a selection: a
// point between two elements then stands after the first one's end tag
// instead of at the second one's start tag, so that a selected element
// gives its source from "<" to the end of its end tag and no more.
qsizetype sourceOffset(const SourceTree& tree, const DomPoint& point, bool rangeEnd = false);
// The same below the node `node`, for a path relative to it.
qsizetype sourceOffsetBelow(const SourceTree& tree, int node, const QString& relativePath,
                            int offset, bool rangeEnd);
// The selection of the document that stands for a selection of the text:
// text in text; a caret inside a start or end tag selects the element; a
// caret in what the document does not show (the head, a comment, a script,
// a style sheet) goes to the first shown place after it. None for an empty
// tree.
std::optional<DomRange> domRange(const SourceTree& tree, const SourceRange& range);

// The same below the node `node`, whose path is `nodePath`: the point of
// one end of a selection, or of a caret when `caret` (a caret inside a tag
// then comes back as the element's range through `element`).
enum class PointSide { Caret, Start, End };
// What the Design view never shows: a comment, the head, a script, a style
// sheet, and all inside them.
bool isHiddenNode(const SourceTree& tree, int node);
DomPoint domPointBelow(const SourceTree& tree, int node, const QString& nodePath, qsizetype byte,
                       PointSide side, std::optional<DomRange>* element = nullptr);

}
