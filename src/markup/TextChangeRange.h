#pragma once
#include <QtGlobal>

namespace ink {

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
