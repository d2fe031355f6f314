#include "app/DockingSwitches.h"

#include <gtest/gtest.h>
#include <functional>
#include <ostream>

namespace ink {
void PrintTo(const DockingOutcome& o, std::ostream* os)
{
    *os << "{docked " << o.docked << ", visible " << o.visible << ", strip " << o.stripShown
        << ", floating " << o.floatingShown << "}";
}
}

namespace {

using ink::DockingOutcome;
using ink::DockingSwitches;

enum class Click { Docked, Visible, Undock, Dock, CloseBox };

struct Transition {
    const char* name;
    bool docked, visible; // marks before the click
    Click click;
    DockingOutcome expected;
};

// {docked, visible, strip shown, floating shown}
const DockingOutcome Docked{true, true, true, false};
const DockingOutcome Floating{false, true, false, true};
const DockingOutcome HiddenUndocked{false, false, false, false};

const Transition transitions[] = {
    {"docked_uncheckDocked_floats", true, true, Click::Docked, Floating},
    {"floating_checkDocked_docks", false, true, Click::Docked, Docked},
    {"hidden_checkDocked_checksVisibleAndDocks", false, false, Click::Docked, Docked},
    {"hiddenDocked_uncheckDocked_staysHidden", true, false, Click::Docked, HiddenUndocked},
    {"docked_uncheckVisible_hidesBothAndUnchecksDocked", true, true, Click::Visible, HiddenUndocked},
    {"floating_uncheckVisible_hidesBoth", false, true, Click::Visible, HiddenUndocked},
    {"hiddenDocked_checkVisible_showsStrip", true, false, Click::Visible, Docked},
    {"hiddenUndocked_checkVisible_floats", false, false, Click::Visible, Floating},
    {"docked_undockButton_floats", true, true, Click::Undock, Floating},
    {"floating_dockButton_docks", false, true, Click::Dock, Docked},
    {"hiddenStripShownAnyway_undockButton_marksVisible", true, false, Click::Undock, Floating},
    {"floating_closeBox_hidesAndUnchecksVisible", false, true, Click::CloseBox, HiddenUndocked},
};

class DockingSwitchesTest : public ::testing::TestWithParam<Transition> {};

DockingOutcome run(DockingSwitches& s, Click click)
{
    switch (click) {
    case Click::Docked: return s.clickDocked();
    case Click::Visible: return s.clickVisible();
    case Click::Undock: return s.undock();
    case Click::Dock: return s.dock();
    case Click::CloseBox: return s.floatingClosed();
    }
    return {};
}

TEST_P(DockingSwitchesTest, clickGivesMarksAndWhatIsShown)
{
    const Transition& t = GetParam();
    DockingSwitches switches(t.docked, t.visible);
    EXPECT_EQ(run(switches, t.click), t.expected);
    EXPECT_EQ(switches.state(), t.expected);
}

INSTANTIATE_TEST_SUITE_P(Docking, DockingSwitchesTest, ::testing::ValuesIn(transitions),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DockingSwitchesSequence, visibleOffAndOnAgainReturnsAsFloatingBecauseDockedWasCleared)
{
    DockingSwitches switches;
    switches.clickVisible();
    EXPECT_EQ(switches.clickVisible(), Floating);
}

TEST(DockingSwitchesSequence, closeBoxDuringShutdownKeepsTheMarks)
{
    DockingSwitches switches(false, true);
    const DockingOutcome out = switches.floatingClosed(true);
    EXPECT_TRUE(out.visible);
    EXPECT_FALSE(out.stripShown);
    EXPECT_FALSE(out.floatingShown);
}

}
