#include "editing/CaretFormatting.h"

#include <gtest/gtest.h>

namespace {

using ink::CaretReport;
using ink::caretFormatting;
using ink::namedColourEntry;

struct ColourCase {
    const char* name;
    const char* colour;
    int entry;
};

const ColourCase colourCases[] = {
    {"black_isFirst", "#000000", 1},
    {"maroon", "#800000", 2},
    {"silver", "#C0C0C0", 9},
    {"red_upperCase", "#FF0000", 10},
    {"red_lowerCase_isCustom", "#ff0000", 17},
    {"white_isLast", "#FFFFFF", 16},
    {"unnamedColour_isCustom", "#123456", 17},
    {"rgbForm_isCustom", "rgb(255, 0, 0)", 17},
    {"empty_isCustom", "", 17},
    {"trailingBlank_isCustom", "#FF0000 ", 17},
};

class NamedColourEntry : public ::testing::TestWithParam<ColourCase> {};

TEST_P(NamedColourEntry, ComparesExactly)
{
    EXPECT_EQ(namedColourEntry(QString::fromLatin1(GetParam().colour)), GetParam().entry);
}

INSTANTIATE_TEST_SUITE_P(Table, NamedColourEntry, ::testing::ValuesIn(colourCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct StatusCase {
    const char* name;
    int status;
    bool pressed;
};

const StatusCase statusCases[] = {
    {"enabledNotLatched_released", 3, false},
    {"latched_pressed", 7, true},
    {"notSupported_pressed", 0, true},
    {"disabled_pressed", 1, true},
    {"unknownValue_pressed", 2, true},
    {"negative_pressed", -1, true},
};

class StatusButtons : public ::testing::TestWithParam<StatusCase> {};

// Every button follows its own command's status, and only that one.
TEST_P(StatusButtons, EachButtonFollowsItsOwnCommand)
{
    const StatusCase& c = GetParam();
    int CaretReport::*fields[] = {&CaretReport::bold,      &CaretReport::italic,
                                  &CaretReport::underline, &CaretReport::alignLeft,
                                  &CaretReport::alignCenter, &CaretReport::alignRight};
    bool ink::CaretFormatting::*buttons[] = {
        &ink::CaretFormatting::bold,      &ink::CaretFormatting::italic,
        &ink::CaretFormatting::underline, &ink::CaretFormatting::alignLeft,
        &ink::CaretFormatting::alignCenter, &ink::CaretFormatting::alignRight};
    for (int i = 0; i < 6; ++i) {
        CaretReport report{QString(), 3, 3, 3, 3, 3, 3, QString(), QString()};
        report.*fields[i] = c.status;
        const ink::CaretFormatting f = caretFormatting(report);
        for (int j = 0; j < 6; ++j)
            EXPECT_EQ(f.*buttons[j], i == j ? c.pressed : false) << "command " << i << " button " << j;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, StatusButtons, ::testing::ValuesIn(statusCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct SizeCase {
    const char* name;
    const char* reported;
    int size; // -1: none
};

const SizeCase sizeCases[] = {
    {"plain", "3", 3},
    {"decimal_truncated", "4.0", 4},
    {"blanks", " 5 ", 5},
    {"mixedSizes_empty", "", -1},
    {"notANumber", "large", -1},
};

class CaretFontSize : public ::testing::TestWithParam<SizeCase> {};

TEST_P(CaretFontSize, TakesTheWholeNumber)
{
    CaretReport report;
    report.fontSize = QString::fromLatin1(GetParam().reported);
    const ink::CaretFormatting f = caretFormatting(report);
    if (GetParam().size < 0) {
        EXPECT_FALSE(f.fontSize.has_value());
        EXPECT_TRUE(f.fontSizeText.isEmpty());
    } else {
        EXPECT_EQ(f.fontSize, GetParam().size);
        EXPECT_EQ(f.fontSizeText, QString::number(GetParam().size));
    }
}

INSTANTIATE_TEST_SUITE_P(Table, CaretFontSize, ::testing::ValuesIn(sizeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CaretFormatting, FontNameAndColourPassThrough)
{
    CaretReport report;
    report.foreColor = QStringLiteral("#800000");
    report.fontName = QStringLiteral("Times New Roman");
    const ink::CaretFormatting f = caretFormatting(report);
    EXPECT_EQ(f.colourEntry, 2);
    EXPECT_EQ(f.fontName, QStringLiteral("Times New Roman"));
}

}
