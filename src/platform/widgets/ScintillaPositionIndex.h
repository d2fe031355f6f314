#pragma once
#include <QtGlobal>

#include <functional>
#include <vector>

namespace ink {

// Maps between byte positions of the editor's UTF-8 text and the program's
// character positions (QString units: a character outside the BMP counts
// two, a CR LF counts two).
//
// A page can be a megabyte, and selections are read and set all the time,
// so the whole text is never converted for one position. The index keeps
// checkpoints every few kilobytes and walks only from the nearest one; an
// edit drops the checkpoints after it, which are rebuilt when next needed.
class ScintillaPositionIndex {
public:
    // `read(start, length)` gives the bytes [start, start + length) of the
    // text; `size()` gives its length in bytes.
    using Reader = std::function<const char*(qsizetype start, qsizetype length)>;
    using Size = std::function<qsizetype()>;

    ScintillaPositionIndex(Reader read, Size size, qsizetype spacing = 4096);

    // The text changed from byte `position` on.
    void invalidateFrom(qsizetype position);

    qsizetype charFromByte(qsizetype byte);
    // A position inside a surrogate pair comes back as the pair's start.
    qsizetype byteFromChar(qsizetype character);
    qsizetype charLength();

private:
    struct Point {
        qsizetype byte;
        qsizetype chars;
    };

    // Steps forward from `from` while the byte position is below
    // `byteLimit` and the next character still ends at or before `charLimit`.
    Point walk(Point from, qsizetype byteLimit, qsizetype charLimit) const;
    // Adds one checkpoint; false at the end of the text.
    bool extend();

    Reader read_;
    Size size_;
    qsizetype spacing_;
    std::vector<Point> points_;
};

}
