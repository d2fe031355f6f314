#include "platform/widgets/ScintillaPositionIndex.h"

#include "platform/widgets/ScintillaText.h"

#include <algorithm>
#include <limits>

namespace ink {

namespace {
constexpr qsizetype kNoLimit = std::numeric_limits<qsizetype>::max();
// A character's length is decided by looking at most this far past its start.
constexpr qsizetype kLookahead = 3;
}

ScintillaPositionIndex::ScintillaPositionIndex(Reader read, Size size, qsizetype spacing)
    : read_(std::move(read)), size_(std::move(size)), spacing_(std::max<qsizetype>(spacing, 16))
{
    points_.push_back({0, 0});
}

void ScintillaPositionIndex::invalidateFrom(qsizetype position)
{
    // A checkpoint depends on the bytes before it and on a few bytes past
    // the last character it stepped over.
    const qsizetype keepUpTo = position - kLookahead - 1;
    auto firstStale = std::find_if(points_.begin() + 1, points_.end(),
                                   [keepUpTo](const Point& p) { return p.byte > keepUpTo; });
    points_.erase(firstStale, points_.end());
}

ScintillaPositionIndex::Point ScintillaPositionIndex::walk(Point from, qsizetype byteLimit,
                                                           qsizetype charLimit) const
{
    const qsizetype length = size_();
    byteLimit = std::min(byteLimit, length);
    if (from.byte >= byteLimit || from.chars >= charLimit)
        return from;
    const qsizetype span = std::min(byteLimit - from.byte + kLookahead, length - from.byte);
    const char* bytes = read_(from.byte, span);
    qsizetype i = 0;
    while (from.byte + i < byteLimit) {
        const scintillatext::Step step = scintillatext::stepAt(bytes + i, span - i);
        if (from.chars + step.units > charLimit)
            break;
        from.chars += step.units;
        i += step.bytes;
    }
    from.byte += i;
    return from;
}

bool ScintillaPositionIndex::extend()
{
    const qsizetype target = qsizetype(points_.size()) * spacing_;
    if (target > size_())
        return false;
    points_.push_back(walk(points_.back(), target, kNoLimit));
    return true;
}

qsizetype ScintillaPositionIndex::charFromByte(qsizetype byte)
{
    byte = std::clamp<qsizetype>(byte, 0, size_());
    const size_t wanted = size_t(byte / spacing_);
    while (points_.size() <= wanted && extend()) {
    }
    size_t k = std::min(wanted, points_.size() - 1);
    while (k > 0 && points_[k].byte > byte)
        --k;
    return walk(points_[k], byte, kNoLimit).chars;
}

qsizetype ScintillaPositionIndex::byteFromChar(qsizetype character)
{
    character = std::max<qsizetype>(character, 0);
    while (points_.back().chars <= character && extend()) {
    }
    auto after = std::upper_bound(points_.begin(), points_.end(), character,
                                  [](qsizetype c, const Point& p) { return c < p.chars; });
    const qsizetype byteLimit = after == points_.end() ? kNoLimit : after->byte;
    return walk(*(after - 1), byteLimit, character).byte;
}

qsizetype ScintillaPositionIndex::charLength()
{
    return charFromByte(size_());
}

}
