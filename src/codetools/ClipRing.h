#pragma once
#include <QString>
#include <array>
#include <vector>

namespace ink {

// The program-wide ring of ten clips filled by Copy and Cut in the Code view.
// Slots 1 to 10 hold clips (slot 0 is never used). The first copy fills slot
// 1, the tenth slot 10, and the eleventh overwrites slot 1 again.
class ClipRing {
public:
    static constexpr int Slots = 10;

    // Stores `text` (also an empty one) in the next slot; returns that slot.
    int add(const QString& text);
    // The text of slot `n`; empty for a slot never filled or out of 1..10.
    QString clip(int n) const;

    // The slot filled by the most recent add, or 0 when the ring has just
    // wrapped (or nothing was added yet); the next add fills clipRingNext + 1.
    int clipRingNext() const { return clipRingNext_; }
    const std::array<QString, Slots + 1>& clipRing() const { return clipRing_; }

private:
    std::array<QString, Slots + 1> clipRing_;
    int clipRingNext_ = 0;
};

// The tabs of the code tools strip `TabStrip2`, in order.
struct CodeToolTab {
    QString caption;
    QString toolTip;
};
const std::vector<CodeToolTab>& codeToolTabs();

// Caption of the paste tab of slot `n`: "Paste Clip n".
QString pasteClipCaption(int n);
// The slot a caption pastes from, or 0 when it is no paste tab.
int pasteClipSlot(const QString& caption);

}
