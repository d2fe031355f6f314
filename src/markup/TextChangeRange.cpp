#include "markup/TextChangeRange.h"

#include <algorithm>
#include <cstring>

namespace ink {

namespace {

bool isContinuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// A place in the text where a stretch may begin or end: not inside a UTF-8
// sequence, not between the CR and the LF of a line break.
bool isBoundary(QByteArrayView text, qsizetype at)
{
    if (at <= 0 || at >= text.size())
        return true;
    return !isContinuation(text[at]) && !(text[at - 1] == '\r' && text[at] == '\n');
}

// How many bytes the two texts share from the start, compared a block at a
// time.
qsizetype sharedStart(QByteArrayView a, QByteArrayView b)
{
    const qsizetype most = std::min(a.size(), b.size());
    constexpr qsizetype kBlock = 4096;
    qsizetype at = 0;
    while (at + kBlock <= most && std::memcmp(a.data() + at, b.data() + at, kBlock) == 0)
        at += kBlock;
    while (at < most && a[at] == b[at])
        ++at;
    return at;
}

qsizetype sharedEnd(QByteArrayView a, QByteArrayView b, qsizetype most)
{
    constexpr qsizetype kBlock = 4096;
    qsizetype at = 0;
    while (at + kBlock <= most
           && std::memcmp(a.data() + a.size() - at - kBlock, b.data() + b.size() - at - kBlock,
                          kBlock)
               == 0)
        at += kBlock;
    while (at < most && a[a.size() - 1 - at] == b[b.size() - 1 - at])
        ++at;
    return at;
}

}

ByteSplice byteSplice(QByteArrayView before, QByteArrayView after)
{
    qsizetype start = sharedStart(before, after);
    // The shared end never reaches into the shared start.
    qsizetype end = sharedEnd(before, after, std::min(before.size(), after.size()) - start);
    while (start > 0 && !(isBoundary(before, start) && isBoundary(after, start)))
        --start;
    while (end > 0
           && !(isBoundary(before, before.size() - end) && isBoundary(after, after.size() - end)))
        --end;
    return {start, before.size() - end, after.size() - end};
}

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
