#include "colourfont/ColourCube.h"

#include <gtest/gtest.h>

using namespace ink;

namespace {

// The palette's start colours in file line order.
CubeValues startPalette()
{
    return {0xFFFF00, 0x000000, 0xFFFFFF, 0x808080, 0xC0C0C0, 0x000080, 0x0000FF, 0x008080,
            0x00FFFF, 0x008000, 0x00C000, 0x808000, 0x800000, 0xC00000, 0x800080, 0xC000C0};
}

TEST(ColourCubeWrite, BlankBeforeAndAfterEachValueAndAnEmptyLastLine)
{
    const QByteArray bytes = cubeFileContent(startPalette());
    EXPECT_TRUE(bytes.startsWith(" 16776960 \r\n 0 \r\n 16777215 \r\n 8421504 \r\n")) << bytes.constData();
    EXPECT_TRUE(bytes.endsWith(" 12583104 \r\n\r\n")) << bytes.constData();
    EXPECT_EQ(bytes.count("\r\n"), 17);
}

TEST(ColourCubeWrite, ReadsBackEveryValue)
{
    CubeValues values = startPalette();
    values[3] = 658188;
    const CubeReading reading = readCubeContent(cubeFileContent(values));
    for (int line = 0; line < CubeLineCount; ++line)
        EXPECT_EQ(reading[line], std::optional<ColourValue>(values[line])) << line;
}

TEST(ColourCubeOrder, LinesNameTheSwatches)
{
    EXPECT_EQ(cubeLineOf("aqua"), 0);
    EXPECT_EQ(cubeLineOf("white"), 2);
    EXPECT_EQ(cubeLineOf("fuchsia"), 15);
    EXPECT_EQ(cubeLineOf("Aqua"), -1);
    EXPECT_EQ(cubeLineOf("background"), -1);
}

struct ReadCase {
    const char* name;
    QByteArray bytes;
    // Expected value for each of the first lines; missing entries expect nothing.
    std::vector<std::optional<ColourValue>> values;
};

class ColourCubeRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ColourCubeRead, LoadsWhatCanBeRead)
{
    const CubeReading reading = readCubeContent(GetParam().bytes);
    for (int line = 0; line < CubeLineCount; ++line) {
        const std::optional<ColourValue> expected =
            line < int(GetParam().values.size()) ? GetParam().values[line] : std::nullopt;
        EXPECT_EQ(reading[line], expected) << "line " << line;
    }
}

const std::optional<ColourValue> none;

INSTANTIATE_TEST_SUITE_P(
    Files, ColourCubeRead,
    ::testing::Values(
        ReadCase{"NumbersWithoutBlanks", "1\r\n2\r\n3\r\n", {1, 2, 3}},
        ReadCase{"BareLineFeeds", " 255 \n 65280 \n", {255, 65280}},
        ReadCase{"MixedLineEnds", "1\n2\r\n3", {1, 2, 3}},
        ReadCase{"TabsAndBlanksAround", "\t 7 \t\r\n", {7}},
        ReadCase{"WordLeavesItsSwatchNextLinesApply", "1\r\nabc\r\n3\r\n", {1, none, 3}},
        ReadCase{"EmptyLineIsNoNumber", "1\r\n\r\n3\r\n", {1, none, 3}},
        ReadCase{"NumberWithTrailingText", "12px\r\n5\r\n", {none, 5}},
        ReadCase{"HexIsNoDecimalNumber", "&HFF\r\n0xFF\r\n", {none, none}},
        ReadCase{"NegativeIsNoColour", "-1\r\n4\r\n", {none, 4}},
        ReadCase{"AboveWhiteIsNoColour", "16777216\r\n16777215\r\n", {none, 16777215}},
        ReadCase{"HugeNumberIsNoColour", "99999999999999999999999\r\n", {none}},
        ReadCase{"PlusSign", "+8\r\n", {8}},
        ReadCase{"LoneSign", "-\r\n+\r\n", {none, none}},
        ReadCase{"Empty", "", {}},
        ReadCase{"NotText", QByteArray("\x00\xff\xfe\r\n9", 6), {none, 9}},
        ReadCase{"TenLinesOnly", "0\n1\n2\n3\n4\n5\n6\n7\n8\n9\n", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        ReadCase{"LinesAfterTheSixteenthIgnored",
                 "0\n1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n13\n14\n15\n16\n17\n",
                 {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

}
