#include "codetools/ClipRing.h"

#include <gtest/gtest.h>

namespace {

using ink::ClipRing;

QString copyText(int i)
{
    return QStringLiteral("copy %1").arg(i);
}

TEST(ClipRingTest, elevenCopiesUseSlotsOneToTenThenOne)
{
    ClipRing ring;
    std::vector<int> filled;
    for (int i = 1; i <= 11; ++i)
        filled.push_back(ring.add(copyText(i)));
    EXPECT_EQ(filled, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1}));
    EXPECT_EQ(ring.clip(1), copyText(11));
    EXPECT_EQ(ring.clip(10), copyText(10));
    EXPECT_EQ(ring.clipRingNext(), 1);
}

TEST(ClipRingTest, twelveCopiesOverwriteOneAndTwoButKeepThree)
{
    ClipRing ring;
    for (int i = 1; i <= 12; ++i)
        ring.add(copyText(i));
    EXPECT_EQ(ring.clip(1), copyText(11));
    EXPECT_EQ(ring.clip(2), copyText(12));
    EXPECT_EQ(ring.clip(3), copyText(3));
    EXPECT_TRUE(ring.clipRing()[0].isEmpty());
}

TEST(ClipRingTest, tenthCopyWrapsTheCounterToZero)
{
    ClipRing ring;
    for (int i = 1; i <= 10; ++i)
        ring.add(copyText(i));
    EXPECT_EQ(ring.clipRingNext(), 0);
}

TEST(ClipRingTest, emptySelectionStillTakesASlot)
{
    ClipRing ring;
    ring.add("first");
    EXPECT_EQ(ring.add(QString()), 2);
    EXPECT_TRUE(ring.clip(2).isEmpty());
    EXPECT_EQ(ring.add("third"), 3);
}

TEST(ClipRingTest, slotsOutsideTheRingReadEmpty)
{
    ClipRing ring;
    ring.add("x");
    EXPECT_TRUE(ring.clip(0).isEmpty());
    EXPECT_TRUE(ring.clip(11).isEmpty());
    EXPECT_TRUE(ring.clip(-1).isEmpty());
    EXPECT_TRUE(ring.clip(4).isEmpty());
}

TEST(ClipRingTest, sixteenTabsWithPasteTabsForSlotsInOrder)
{
    const auto& tabs = ink::codeToolTabs();
    ASSERT_EQ(tabs.size(), 16u);
    EXPECT_EQ(tabs[0].caption, "Copy Clip");
    EXPECT_EQ(tabs[0].toolTip, "Save Selected Text as Clip");
    for (int n = 1; n <= 10; ++n) {
        EXPECT_EQ(tabs[n].caption, QStringLiteral("Paste Clip %1").arg(n));
        EXPECT_EQ(ink::pasteClipSlot(tabs[n].caption), n);
        EXPECT_TRUE(tabs[n].toolTip.isEmpty());
    }
    EXPECT_EQ(tabs[11].caption, "Bookmark");
    EXPECT_EQ(tabs[15].caption, "Properties");
    EXPECT_EQ(ink::pasteClipSlot("Paste Clip 11"), 0);
    EXPECT_EQ(ink::pasteClipSlot("Paste Clip 1 "), 0);
}

}
