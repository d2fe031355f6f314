#include "EditingMarkers.h"
#include "editing/CodeEdits.h"
#include "editing/EditingCommandTable.h"
#include "editing/FontControls.h"
#include "platform/DesignSurface.h"

#include <gtest/gtest.h>

#include <set>

using namespace ink;
using inktest::marked;
using inktest::marks;

namespace {

const char* const commandNames[] = {
    "bold", "italic", "underline", "strike", "teletype", "keyboarddata", "preformat",
    "pagebreak", "left", "center", "right", "tab", "outdent", "breakline", "removeformat",
    "horizontalrule", "comment", "orderedlist", "unorderedlist", "orderedlist2",
    "unorderedlist2", "makeabsolute", "makeeditable", "newform", "textarea", "combobox",
    "listbox", "boxdata", "textinput", "passwordinput", "radioinput", "checkedinput",
    "hiddeninput", "submitbutton", "resetbutton",
};

TEST(EditingCommandTable, EveryMenuItemResolvesOnceWithACaption)
{
    std::set<QString> seen;
    for (const char* name : commandNames) {
        const EditingCommand* command = findEditingCommand(QLatin1String(name));
        ASSERT_NE(command, nullptr) << name;
        EXPECT_FALSE(command->caption.isEmpty()) << name;
        seen.insert(command->name);
    }
    EXPECT_EQ(seen.size(), editingCommands().size());
    EXPECT_EQ(findEditingCommand(QStringLiteral("link")), nullptr);
}

TEST(EditingCommandTable, EveryDesignPathHasWhatItNeeds)
{
    for (const EditingCommand& command : editingCommands()) {
        switch (command.designOperation) {
        case DesignOperation::Command:
            EXPECT_GE(command.designCommand, DesignCmd::Bold) << qPrintable(command.name);
            break;
        case DesignOperation::Wrap:
        case DesignOperation::List:
            EXPECT_FALSE(command.designClosing.isEmpty()) << qPrintable(command.name);
            [[fallthrough]];
        case DesignOperation::Paste:
            EXPECT_FALSE(command.designOpening.isEmpty()) << qPrintable(command.name);
            break;
        case DesignOperation::CodeOnly:
            EXPECT_EQ(command.name, QStringLiteral("comment"));
            break;
        }
    }
}

struct DesignCase {
    const char* command;
    DesignOperation operation;
    bool stripBlock;
    bool reselect;
    bool focusAfter;
};

class EditingDesignPathTest : public ::testing::TestWithParam<DesignCase> {};

TEST_P(EditingDesignPathTest, HasTheDesignRecipe)
{
    const EditingCommand* command = findEditingCommand(QLatin1String(GetParam().command));
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(command->designOperation, GetParam().operation);
    EXPECT_EQ(command->stripBlock, GetParam().stripBlock);
    EXPECT_EQ(command->reselect, GetParam().reselect);
    EXPECT_EQ(command->focusAfter, GetParam().focusAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Design, EditingDesignPathTest,
    ::testing::Values(DesignCase{"strike", DesignOperation::Wrap, true, true, true},
                      DesignCase{"combobox", DesignOperation::Wrap, true, true, true},
                      DesignCase{"boxdata", DesignOperation::Wrap, false, true, true},
                      DesignCase{"makeeditable", DesignOperation::Wrap, true, true, true},
                      DesignCase{"bold", DesignOperation::Command, false, false, true},
                      DesignCase{"removeformat", DesignOperation::Command, false, false, false},
                      DesignCase{"horizontalrule", DesignOperation::Paste, false, false, false},
                      DesignCase{"pagebreak", DesignOperation::Paste, false, false, true},
                      DesignCase{"unorderedlist", DesignOperation::List, false, false, true},
                      DesignCase{"comment", DesignOperation::CodeOnly, false, false, false}),
    [](const ::testing::TestParamInfo<DesignCase>& info) { return std::string(info.param.command); });

TEST(EditingCommandTable, DesignCommandIdsAndBreakLineKeys)
{
    EXPECT_EQ(findEditingCommand(QStringLiteral("center"))->designCommand, 5024);
    EXPECT_EQ(findEditingCommand(QStringLiteral("tab"))->designCommand, 5018);
    EXPECT_EQ(findEditingCommand(QStringLiteral("outdent"))->designCommand, 5031);
    EXPECT_EQ(findEditingCommand(QStringLiteral("makeabsolute"))->designCommand, 5028);
    const EditingCommand* breakLine = findEditingCommand(QStringLiteral("breakline"));
    EXPECT_EQ(breakLine->designOpening, QStringLiteral("<div></div>"));
    EXPECT_EQ(breakLine->designKeys, KeySequence{Key::Left});
}

TEST(EditingCommandTable, ToolbarKeysReachTheirCommands)
{
    const std::pair<const char*, const char*> keys[] = {
        {"bold", "bold"}, {"italic", "italic"}, {"underline", "underline"}, {"left", "left"},
        {"center", "center"}, {"right", "right"}, {"tab", "tab"}, {"outdent", "outdent"},
        {"breakline", "breakline"}, {"horizontalrule", "horizontalrule"},
        {"bullets", "unorderedlist"},
    };
    for (const auto& [key, name] : keys) {
        const EditingCommand* command = findEditingCommandForToolbarKey(QLatin1String(key));
        ASSERT_NE(command, nullptr) << key;
        EXPECT_EQ(command->name, QLatin1String(name));
    }
    EXPECT_EQ(findEditingCommandForToolbarKey(QString()), nullptr);
    EXPECT_EQ(findEditingCommandForToolbarKey(QStringLiteral("undock")), nullptr);
}

// Font controls.

TEST(EditingFontControls, SizeComboWrapsTheSelectionUnquoted)
{
    const CodeText code = marked(QStringLiteral("a^big|b"));
    const CodeEdit edit = insertAroundCodeSelection(code.selectedText(), fontSizeOpening("5"),
                                                    fontClosing());
    EXPECT_EQ(marks(applyCodeEdit(code, edit)).toStdString(), "a<FONT size=5>^big|</FONT>b");
}

TEST(EditingFontControls, SliderGivesTheSameResultAsTheCombo)
{
    const CodeText code = marked(QStringLiteral("a^big|b"));
    const CodeText slider = applyCodeEdit(code, fontSizeSliderCodeSelection(QStringLiteral("big"), 8));
    const CodeText combo = applyCodeEdit(
        code, insertAroundCodeSelection(QStringLiteral("big"), fontSizeOpening("8"), fontClosing()));
    EXPECT_EQ(marks(slider).toStdString(), "a<FONT size=8>^big|</FONT>b");
    EXPECT_EQ(slider, combo);
}

TEST(EditingFontControls, InsertAroundGivesWrapsTextAndRange)
{
    const CodeText code = marked(QStringLiteral("x^a\r\nb|y"));
    const QString opening = fontFaceOpening(QStringLiteral("Arial"));
    const CodeText around = applyCodeEdit(code, insertAroundCodeSelection(code.selectedText(), opening, fontClosing()));
    const CodeText wrapped = applyCodeEdit(code, wrapCodeSelection(code.selectedText(), opening, fontClosing()));
    EXPECT_EQ(around.text, wrapped.text);
    EXPECT_EQ(around.selectionStart(), wrapped.selectionStart());
    EXPECT_EQ(around.selectionEnd(), wrapped.selectionEnd());
}

TEST(EditingFontControls, ArialFaceWithNothingSelectedLeavesCaretBetweenTags)
{
    const CodeText code = marked(QStringLiteral("|"));
    const CodeEdit edit = insertAroundCodeSelection(QString(), fontFaceOpening(QStringLiteral("Arial")),
                                                    fontClosing());
    EXPECT_EQ(marks(applyCodeEdit(code, edit)).toStdString(), "<FONT face=\"Arial\">|</FONT>");
}

TEST(EditingFontControls, SizeTextThatIsNoNumberLeavesTheSlider)
{
    EXPECT_EQ(sliderValueForSizeText(QStringLiteral("5")), 5);
    EXPECT_EQ(sliderValueForSizeText(QStringLiteral("+2")), 2);
    EXPECT_FALSE(sliderValueForSizeText(QStringLiteral("big")).has_value());
    EXPECT_FALSE(sliderValueForSizeText(QString()).has_value());
}

TEST(EditingFontControls, SliderRangesByMenuKey)
{
    struct Row {
        const char* key;
        int minimum;
        int maximum;
        bool maximumFirst;
    };
    const Row rows[] = {{"standard", 1, 7, false}, {"ptsize", 8, 72, true}, {"ten", 0, 10, true},
                        {"hundred", 0, 100, true}, {"thousand", 0, 1000, true}};
    for (const Row& row : rows) {
        const std::optional<SliderRange> range = sliderRangeForKey(QLatin1String(row.key));
        ASSERT_TRUE(range.has_value()) << row.key;
        EXPECT_EQ(range->minimum, row.minimum) << row.key;
        EXPECT_EQ(range->maximum, row.maximum) << row.key;
        EXPECT_EQ(range->maximumFirst, row.maximumFirst) << row.key;
    }
    EXPECT_FALSE(sliderRangeForKey(QStringLiteral("million")).has_value());
    EXPECT_EQ(defaultSliderRange().maximum, 7);
}

}
