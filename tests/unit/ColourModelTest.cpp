#include "colourfont/ColourModel.h"

#include <gtest/gtest.h>

using namespace ink;

namespace {

struct HexCase {
    const char* name;
    ColourValue value;
    const char* text;
};

class ColourText : public ::testing::TestWithParam<HexCase> {};

TEST_P(ColourText, RedFirstTwoLowerCaseDigitsEach)
{
    EXPECT_EQ(clrlong2hex(GetParam().value), QString::fromLatin1(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Values, ColourText,
    ::testing::Values(HexCase{"Red", 255, "#ff0000"}, HexCase{"Green", 65280, "#00ff00"},
                      HexCase{"BlueHalf", 8388608, "#000080"}, HexCase{"Silver", 12632256, "#c0c0c0"},
                      HexCase{"SmallComponentsPadded", 658188, "#0c0b0a"},
                      HexCase{"Black", 0, "#000000"}, HexCase{"White", 16777215, "#ffffff"},
                      HexCase{"OneDigitRed", 1, "#010000"},
                      // Values that are no colours still give two digits a component.
                      HexCase{"TopByteIgnored", 0x7F0000FF, "#ff0000"},
                      HexCase{"AboveWhite", 16777216, "#000000"},
                      HexCase{"Negative", -1, "#ffffff"}),
    [](const ::testing::TestParamInfo<HexCase>& info) { return std::string(info.param.name); });

TEST(ColourValueRange, OnlyThreeBytesAreColours)
{
    EXPECT_TRUE(isColourValue(0));
    EXPECT_TRUE(isColourValue(16777215));
    EXPECT_FALSE(isColourValue(16777216));
    EXPECT_FALSE(isColourValue(-1));
    EXPECT_EQ(colourValue(12, 11, 10), 658188);
}

struct NameCase {
    const char* name;
    const char* mainForm;
    const char* dialogForm;
    const char* designForm;
    int item;
};

class NamedColourForms : public ::testing::TestWithParam<NameCase> {};

TEST_P(NamedColourForms, EachFormAndItsItemNumber)
{
    const NameCase& c = GetParam();
    const QString name = QString::fromLatin1(c.name);
    EXPECT_EQ(namedColourText(name, ColourForm::MainWindow), QString::fromLatin1(c.mainForm));
    EXPECT_EQ(namedColourText(name, ColourForm::Dialog), QString::fromLatin1(c.dialogForm));
    EXPECT_EQ(namedColourText(name, ColourForm::DesignSurface), QString::fromLatin1(c.designForm));
    EXPECT_EQ(namedColourItem(QString::fromLatin1(c.designForm), ColourForm::DesignSurface), c.item);
    EXPECT_EQ(namedColours()[c.item - 1].name, std::string(c.name));
}

INSTANTIATE_TEST_SUITE_P(
    Table, NamedColourForms,
    ::testing::Values(NameCase{"Black", "#000000", "#000000", "#000000", 1},
                      NameCase{"Maroon", "#800000", " #800000", "#800000", 2},
                      NameCase{"Green", "#008000", " #008000", "#008000", 3},
                      NameCase{"Olive", "#808000", " #808000", "#808000", 4},
                      NameCase{"Navy", "#000080", "#000080", "#000080", 5},
                      NameCase{"Purple", "#800080", "#800080", "#800080", 6},
                      NameCase{"Teal", "#008080", "#008080", "#008080", 7},
                      NameCase{"Gray", "#808080", " #808080", "#808080", 8},
                      NameCase{"Silver", "#c0c0c0", "#c0c0c0", "#C0C0C0", 9},
                      NameCase{"Red", "#ff0000", "#ff0000", "#FF0000", 10},
                      NameCase{"Lime", "#00ff00", "#00ff00", "#00FF00", 11},
                      NameCase{"Yellow", "#ffff00", "#ffff00", "#FFFF00", 12},
                      NameCase{"Blue", "#0000ff", "#0000ff", "#0000FF", 13},
                      NameCase{"Fuchsia", "#ff00ff", "#ff00ff", "#FF00FF", 14},
                      NameCase{"Aqua", "#00ffff", "#00ffff", "#00FFFF", 15},
                      NameCase{"White", "#ffffff", "#ffffff", "#FFFFFF", 16}),
    [](const ::testing::TestParamInfo<NameCase>& info) { return std::string(info.param.name); });

// The swatch images show each name's colour, except two lighter ones.
TEST(NamedColourSwatches, MatchTheMainFormButTealAndSilver)
{
    for (const NamedColour& c : namedColours()) {
        const QString shown = clrlong2hex(c.swatch);
        if (c.item == 7)
            EXPECT_EQ(shown, "#408080");
        else if (c.item == 9)
            EXPECT_EQ(shown, "#c8c8c8");
        else
            EXPECT_EQ(shown, QString::fromLatin1(c.mainForm)) << c.name;
    }
}

struct LookupCase {
    const char* name;
    const char* text;
    ColourForm form;
    const char* colourText; // namedColourText(text, form)
    int item;               // namedColourItem(text, form)
};

class NamedColourLookups : public ::testing::TestWithParam<LookupCase> {};

TEST_P(NamedColourLookups, ExactAndCaseSensitive)
{
    const LookupCase& c = GetParam();
    EXPECT_EQ(namedColourText(QString::fromLatin1(c.text), c.form), QString::fromLatin1(c.colourText));
    EXPECT_EQ(namedColourItem(QString::fromLatin1(c.text), c.form), c.item);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NamedColourLookups,
    ::testing::Values(LookupCase{"CustomIsNoName", "Custom...", ColourForm::MainWindow, "", 17},
                      LookupCase{"LowerCaseNameIsNoName", "maroon", ColourForm::MainWindow, "", 17},
                      LookupCase{"BlankedNameIsNoName", " Red", ColourForm::MainWindow, "", 17},
                      LookupCase{"EmptyText", "", ColourForm::Dialog, "", 17},
                      LookupCase{"LowerHexIsNotTheDesignForm", "#c0c0c0", ColourForm::DesignSurface, "", 17},
                      LookupCase{"LowerHexIsTheMainForm", "#c0c0c0", ColourForm::MainWindow, "", 9},
                      LookupCase{"DialogFormKeepsItsBlank", " #808080", ColourForm::Dialog, "", 8},
                      LookupCase{"UnblankedIsNotTheDialogForm", "#808080", ColourForm::Dialog, "", 17},
                      LookupCase{"OffTableColour", "#123456", ColourForm::DesignSurface, "", 17}),
    [](const ::testing::TestParamInfo<LookupCase>& info) { return std::string(info.param.name); });

}

