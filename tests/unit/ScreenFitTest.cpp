#include "base/ScreenFit.h"

#include <gtest/gtest.h>

namespace {

// A 1366 x 768 screen with a 32 px panel at its top.
const QRect area(0, 32, 1366, 736);

struct FitCase {
    const char* name;
    QRect frame;
    QRect expected;
};

const FitCase fitCases[] = {
    {"within_kept", QRect(341, 192, 600, 400), QRect(341, 192, 600, 400)},
    {"fillsTheArea_kept", area, area},
    // The marquee dialog placed a quarter down: moved up just enough.
    {"pastTheBottom_movedUp", QRect(341, 192, 820, 704), QRect(341, 64, 820, 704)},
    {"pastTheRight_movedLeft", QRect(1200, 100, 400, 300), QRect(966, 100, 400, 300)},
    {"aboveAndLeft_movedIn", QRect(-50, 0, 400, 300), QRect(0, 32, 400, 300)},
    {"tallerThanTheArea_shrunk", QRect(100, 100, 400, 900), QRect(100, 32, 400, 736)},
    {"largerBothWays_fillsIt", QRect(-10, -10, 2000, 2000), area},
    {"onAnotherScreen_broughtOver", QRect(2000, 100, 300, 200), QRect(1066, 100, 300, 200)},
    {"invalidFrame_kept", QRect(), QRect()},
};

class FrameWithin : public ::testing::TestWithParam<FitCase> {};

TEST_P(FrameWithin, LiesWhollyOnTheScreenMovingAsLittleAsNeeded)
{
    const FitCase& c = GetParam();
    EXPECT_EQ(ink::frameWithin(c.frame, area), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, FrameWithin, ::testing::ValuesIn(fitCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScreenFit, ClientSizeLeavesRoomForTheFrame)
{
    EXPECT_EQ(ink::clientSizeWithin(area, QMargins(4, 28, 4, 4)), QSize(1358, 704));
    EXPECT_EQ(ink::clientSizeWithin(QRect(0, 0, 10, 10), QMargins(20, 20, 20, 20)), QSize(0, 0));
}

}
