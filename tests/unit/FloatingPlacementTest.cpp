#include "app/FloatingPlacement.h"

#include <gtest/gtest.h>

namespace {

using ink::FloatingWindowSettings;

// Settings in pixels, written as twips (15 per pixel).
FloatingWindowSettings stored(int x, int y, int w, int h)
{
    return {y * 15.0, x * 15.0, w * 15.0, h * 15.0};
}

const QRect fallback(100, 100, 500, 80);
const QRect left(0, 0, 1920, 1080);
const QRect right(1920, 0, 1280, 1024);

struct PlacementCase {
    const char* name;
    FloatingWindowSettings settings;
    QList<QRect> screens;
    QRect expected;
};

const PlacementCase placementCases[] = {
    {"neverStored_fallback", {}, {left}, fallback},
    {"onScreen_kept", stored(300, 200, 600, 90), {left}, QRect(300, 200, 600, 90)},
    {"onSecondScreen_kept", stored(2000, 100, 600, 90), {left, right}, QRect(2000, 100, 600, 90)},
    {"secondScreenRemoved_backOnFirst", stored(2000, 100, 600, 90), {left},
     QRect(192, 108, 600, 90)},
    {"aboveTheScreen_backOn", stored(300, -500, 600, 90), {left}, QRect(192, 108, 600, 90)},
    {"titleBarJustVisible_kept", stored(1880, 1000, 600, 90), {left}, QRect(1880, 1000, 600, 90)},
    {"widerThanScreen_shrunk", stored(5000, 0, 3000, 90), {left}, QRect(0, 108, 1920, 90)},
    {"tooSmall_fallback", stored(300, 200, 10, 5), {left}, fallback},
    {"noScreens_kept", stored(300, 200, 600, 90), {}, QRect(300, 200, 600, 90)},
};

class FloatingPlacement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(FloatingPlacement, StaysWhereTheUserCanGrabIt)
{
    const PlacementCase& c = GetParam();
    EXPECT_EQ(ink::floatingWindowFrame(c.settings, c.screens, fallback), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, FloatingPlacement, ::testing::ValuesIn(placementCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FloatingPlacement, SettingsRoundTrip)
{
    const QRect frame(2000, 100, 600, 90);
    EXPECT_EQ(ink::floatingWindowFrame(ink::floatingWindowSettings(frame), {left, right}, fallback),
              frame);
}

struct BelowCase {
    const char* name;
    QList<QRect> taken;
    QRect expected;
};

const QRect opening(100, 100, 500, 80);

const BelowCase belowCases[] = {
    {"nothingTaken_kept", {}, opening},
    {"apart_kept", {QRect(700, 100, 300, 80)}, opening},
    {"samePlace_below", {opening}, QRect(100, 190, 500, 80)},
    {"overlapsTop_below", {QRect(50, 60, 200, 60)}, QRect(100, 130, 500, 80)},
    // Below the first, then over the second: below that one too.
    {"twoStacked_belowBoth", {opening, QRect(100, 190, 500, 80)}, QRect(100, 280, 500, 80)},
    {"emptyFrame_ignored", {QRect()}, opening},
};

class FramesBelowTaken : public ::testing::TestWithParam<BelowCase> {};

TEST_P(FramesBelowTaken, OpenClearOfTheOthers)
{
    const BelowCase& c = GetParam();
    EXPECT_EQ(ink::frameBelowTaken(opening, c.taken, 10), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, FramesBelowTaken, ::testing::ValuesIn(belowCases),
                         [](const auto& info) { return std::string(info.param.name); });

}
