#include "document/widgets/ViewSelectionFollower.h"

#include "platform/CodeEditor.h"
#include "platform/DesignSurface.h"

#include <algorithm>
#include <utility>

namespace ink {

namespace {

// Offsets past the first difference of two texts move with the text after
// it; those before stay.
SourceRange shifted(const SourceRange& range, const QString& before, const QString& after)
{
    if (before == after)
        return range;
    qsizetype same = 0;
    const qsizetype shorter = std::min(before.size(), after.size());
    while (same < shorter && before[same] == after[same])
        ++same;
    const qsizetype from = before.left(same).toUtf8().size();
    const qsizetype by = after.toUtf8().size() - before.toUtf8().size();
    const auto move = [from, by](qsizetype at) { return at >= from ? std::max(from, at + by) : at; };
    return {move(range.anchor), move(range.focus)};
}

}

ViewSelectionFollower::ViewSelectionFollower(DesignSurface& design, CodeEditor& code)
    : design_(design)
    , code_(code)
{
}

void ViewSelectionFollower::noteDesignSelection(std::optional<SourceRange> place)
{
    fromDesign_ = place;
}

void ViewSelectionFollower::showInCode(const QString& read, const QString& shown)
{
    const std::optional<SourceRange> wanted = std::exchange(fromDesign_, std::nullopt);
    ++placing_;
    codeWhenLeft_.reset();
    if (!wanted)
        return;
    const SourceRange place = shifted(*wanted, read, shown);
    if (code_.selectedBytes() != place)
        code_.selectBytesCentred(place);
    codeWhenLeft_ = place;
}

void ViewSelectionFollower::showInDesign(bool reloaded)
{
    const SourceRange wanted = code_.selectedBytes();
    if (design_.busy()) {
        waitingForDesign_ = wanted;
        return;
    }
    waitingForDesign_.reset();
    // The Design view, hidden meanwhile, still holds the selection the code
    // was given or showed last time.
    if (!reloaded && codeWhenLeft_ == wanted)
        return;
    ++placing_;
    codeWhenLeft_ = wanted;
    design_.selectInSource(wanted);
}

void ViewSelectionFollower::designLoaded()
{
    // Whatever load it was, the document holds a selection of its own now.
    ++placing_;
    codeWhenLeft_.reset();
    if (!waitingForDesign_ || design_.busy())
        return;
    const SourceRange wanted = *std::exchange(waitingForDesign_, std::nullopt);
    if (design_.loadFailed())
        return;
    // After a long page's load or edit the engine lays the page out for a
    // while before it can place anything: the window is not held for it.
    const int placing = ++placing_;
    design_.selectInSourceLater(wanted, &answers_, [this, wanted, placing](bool placed) {
        if (placed && placing == placing_)
            codeWhenLeft_ = wanted;
    });
}

}
