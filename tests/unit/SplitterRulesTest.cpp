#include "app/SplitterRules.h"

#include <gtest/gtest.h>

namespace {

using namespace ink::panelrules;

struct Release {
    const char* name;
    double panelWidth, x, mainWidth;
    double expected;
};

const Release releases[] = {
    {"released1000LeftOfTheBar_widensBy1050", 3900, -1000, 28000, 4950},
    {"releasedOnTheBar_widensBy50", 3900, 0, 28000, 3950},
    {"released500RightOfTheBar_narrowsBy450", 3900, 500, 28000, 3450},
    {"releasedFarLeft_cappedAtMainWidthMinus50", 3900, -40000, 28000, 27950},
    {"releasedJustShortOfTheMainWidth_stillCapped", 3900, -24030, 28000, 27950},
    {"releasedFarRight_negativeWidthRefused", 3900, 5000, 28000, 3900},
};

class SplitterReleaseTest : public ::testing::TestWithParam<Release> {};

TEST_P(SplitterReleaseTest, panelWidthFollowsTheRule)
{
    const Release& r = GetParam();
    EXPECT_DOUBLE_EQ(releasedPanelWidth(r.panelWidth, r.x, r.mainWidth), r.expected);
}

INSTANTIATE_TEST_SUITE_P(Splitter, SplitterReleaseTest, ::testing::ValuesIn(releases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SplitterRulesTest, dragBarFollowsTheMouseBesideThePanel)
{
    DragInputs in;
    in.mainTop = 1000;
    in.mainLeft = 2000;
    in.mainWidth = 28000;
    in.panelWidth = 3900;
    in.panelHeight = 12000;
    in.splitterWidth = 90;
    in.stripHeight = stripHeight(true, 420.4, true, 389.6);
    EXPECT_DOUBLE_EQ(in.stripHeight, 810);

    const DragBarGeometry g = dragBarGeometry(in, -300);
    EXPECT_DOUBLE_EQ(g.top, 1000 + 810 + 635);
    EXPECT_DOUBLE_EQ(g.height, 11975);
    EXPECT_DOUBLE_EQ(g.scrollBarHeight, 12975);
    EXPECT_DOUBLE_EQ(g.left, 2000 + 28000 - 3900 - 90 - 300);
}

TEST(SplitterRulesTest, hiddenStripsAddNoHeight)
{
    EXPECT_DOUBLE_EQ(stripHeight(false, 420, true, 390), 390);
    EXPECT_DOUBLE_EQ(stripHeight(false, 420, false, 390), 0);
}

TEST(SplitterRulesTest, resizeKeepsThePanelAtLeast75Wide)
{
    EXPECT_DOUBLE_EQ(resizedPanelWidth(20), 75);
    EXPECT_DOUBLE_EQ(resizedPanelWidth(75), 75);
    EXPECT_DOUBLE_EQ(resizedPanelWidth(3900), 3900);
}

TEST(SplitterRulesTest, heightsLeaveRoomForTheTabRow)
{
    const PanelHeights h = panelHeights(12000);
    EXPECT_DOUBLE_EQ(h.tabs, 11900);
    EXPECT_DOUBLE_EQ(h.fontTabs, 11650);
    EXPECT_DOUBLE_EQ(h.dragDrop, 11650);
}

TEST(SplitterRulesTest, panel700OrNarrowerKeepsInnerWidths)
{
    for (double width : {700.0, 500.0, 75.0}) {
        const InnerWidths w = innerWidths(width);
        EXPECT_FALSE(w.tabs.has_value()) << width;
        EXPECT_FALSE(w.fontTabs.has_value()) << width;
        EXPECT_FALSE(w.colourArea.has_value()) << width;
    }
}

TEST(SplitterRulesTest, tabContainerFollowsBeforeItsContents)
{
    const InnerWidths w = innerWidths(900); // tab container exactly 700
    ASSERT_TRUE(w.tabs.has_value());
    EXPECT_DOUBLE_EQ(*w.tabs, 700);
    EXPECT_FALSE(w.fontTabs.has_value());
    EXPECT_FALSE(w.tableArea.has_value());
}

TEST(SplitterRulesTest, widePanelSetsEveryInnerWidth)
{
    const InnerWidths w = innerWidths(3900);
    EXPECT_DOUBLE_EQ(w.tabs.value(), 3700);
    EXPECT_DOUBLE_EQ(w.fontTabs.value(), 3250);
    EXPECT_DOUBLE_EQ(w.dragDrop.value(), 3250);
    EXPECT_DOUBLE_EQ(w.colourArea.value(), 3000);
    EXPECT_DOUBLE_EQ(w.tableArea.value(), 3000);
}

}
