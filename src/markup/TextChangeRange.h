#pragma once
#include <QByteArrayView>
#include <QtGlobal>

namespace ink {

// What turns the UTF-8 text `before` into `after`: the bytes [start,
// beforeEnd) of `before` give way to the bytes [start, afterEnd) of `after`.
// The bytes both texts share at their start and at their end are left out,
// so that a text with one character changed is replaced by little more than
// that character; the stretch never splits a UTF-8 sequence or a CR LF.
struct ByteSplice {
    qsizetype start = 0;
    qsizetype beforeEnd = 0;
    qsizetype afterEnd = 0;

    bool changes() const { return beforeEnd > start || afterEnd > start; }
};

ByteSplice byteSplice(QByteArrayView before, QByteArrayView after);

// The stretch of a text that changed since it was last looked at, kept up to
// date through insertions and deletions: [start, end) in the current text
// (start == end after a deletion alone). Positions are in whatever unit the
// caller counts in (the code editor counts bytes).
class TextChangeRange {
public:
    void inserted(qsizetype position, qsizetype length);
    void deleted(qsizetype position, qsizetype length);
    // Forgets the changes: the text was looked at.
    void clear() { changed_ = false; }

    bool changed() const { return changed_; }
    qsizetype start() const { return start_; }
    qsizetype end() const { return end_; }

private:
    bool changed_ = false;
    qsizetype start_ = 0;
    qsizetype end_ = 0;
};

}
