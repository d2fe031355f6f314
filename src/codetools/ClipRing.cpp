#include "codetools/ClipRing.h"

namespace ink {

int ClipRing::add(const QString& text)
{
    const int slot = clipRingNext_ + 1;
    clipRing_[slot] = text;
    clipRingNext_ = slot == Slots ? 0 : slot;
    return slot;
}

QString ClipRing::clip(int n) const
{
    return n >= 1 && n <= Slots ? clipRing_[n] : QString();
}

const std::vector<CodeToolTab>& codeToolTabs()
{
    static const std::vector<CodeToolTab> tabs = [] {
        std::vector<CodeToolTab> t;
        t.push_back({"Copy Clip", "Save Selected Text as Clip"});
        for (int n = 1; n <= ClipRing::Slots; ++n)
            t.push_back({pasteClipCaption(n), QString()});
        for (const char* caption : {"Bookmark", "Next Bookmark", "Clear Bookmarks", "Repeater", "Properties"})
            t.push_back({QString::fromLatin1(caption), QString()});
        return t;
    }();
    return tabs;
}

QString pasteClipCaption(int n)
{
    return QStringLiteral("Paste Clip %1").arg(n);
}

int pasteClipSlot(const QString& caption)
{
    for (int n = 1; n <= ClipRing::Slots; ++n) {
        if (caption == pasteClipCaption(n))
            return n;
    }
    return 0;
}

}
