#include "base/DocumentTable.h"

#include <gtest/gtest.h>

using namespace ink;

TEST(DocumentTable, ThousandSlotsThenNothingEvenAfterClosing)
{
    DocumentTable t;
    for (int i = 1; i <= 1000; ++i)
        ASSERT_EQ(t.allocate(), i);
    t.release(5);
    t.release(1000);
    EXPECT_EQ(t.allocate(), 0);
    EXPECT_EQ(t.lastDocumentSlot(), 1000);
    EXPECT_FALSE(t.isOpen(5));
    EXPECT_TRUE(t.isOpen(6));
}

TEST(DocumentTable, SlotsAreNeverReused)
{
    DocumentTable t;
    EXPECT_EQ(t.allocate(), 1);
    t.release(1);
    EXPECT_EQ(t.allocate(), 2);
    EXPECT_FALSE(t.isOpen(0));
}

TEST(DocumentTable, NewSlotTakesTheFolderOfTheSlotBelowEvenWhenClosed)
{
    DocumentTable t;
    const int a = t.allocate();
    const int b = t.allocate();
    t.at(a).folder = "/site/a";
    t.at(b).folder = "/site/b";
    t.release(b);
    t.setActiveDocument(a);
    const int c = t.allocate();
    EXPECT_EQ(t.inheritedFolder(c, "/prog"), "/site/b");
    EXPECT_EQ(t.inheritedFolder(1, "/prog"), "/prog");
}

TEST(DocumentTable, OutOfRangeAccessIsHarmless)
{
    DocumentTable t;
    t.at(-1).folder = "x";
    t.at(1001).modified = true;
    EXPECT_TRUE(t.at(-1).folder.isEmpty());
    EXPECT_FALSE(t.at(1001).modified);
    EXPECT_FALSE(t.isOpen(2000));
}
