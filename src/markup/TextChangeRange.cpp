#include "markup/TextChangeRange.h"

#include <algorithm>

namespace ink {

void TextChangeRange::inserted(qsizetype position, qsizetype length)
{
    if (!changed_) {
        changed_ = true;
        start_ = position;
        end_ = position + length;
        return;
    }
    // What lay at or after the insertion moves along with it.
    const qsizetype end = end_ >= position ? end_ + length : end_;
    start_ = std::min(start_, position);
    end_ = std::max(end, position + length);
}

void TextChangeRange::deleted(qsizetype position, qsizetype length)
{
    // A position inside the deleted stretch lands at its start.
    auto moved = [position, length](qsizetype at) {
        return at >= position + length ? at - length : std::min(at, position);
    };
    if (!changed_) {
        changed_ = true;
        start_ = end_ = position;
        return;
    }
    start_ = std::min(moved(start_), position);
    end_ = std::max(moved(end_), position);
}

}
