#include "colourfont/ColourMarkup.h"

#include <gtest/gtest.h>


namespace {

struct ToolCase {
    const char* name;
    ink::ColourTool tool;
    const char* text;
};

class ColourToolText : public ::testing::TestWithParam<ToolCase> {};

TEST_P(ColourToolText, ColourUnquotedInItsAttribute)
{
    EXPECT_EQ(ink::colourToolCodeText(GetParam().tool, "#ff0000"), QString::fromLatin1(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Tools, ColourToolText,
    ::testing::Values(ToolCase{"Swatch", ink::ColourTool::Swatch, "#ff0000"},
                      ToolCase{"TextColour", ink::ColourTool::TextColour, "color=#ff0000"},
                      ToolCase{"SelectionBackground", ink::ColourTool::SelectionBackground,
                               "style=\"BACKGROUND-COLOR: #ff0000\""},
                      ToolCase{"PageBackground", ink::ColourTool::PageBackground, "bgColor=#ff0000"}),
    [](const ::testing::TestParamInfo<ToolCase>& info) { return std::string(info.param.name); });

TEST(ColourComboMarkup, FontElementWithUnquotedColour)
{
    EXPECT_EQ(ink::fontColourOpening("#800000"), "<FONT color=#800000>");
}

}
