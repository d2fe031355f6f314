// The main window's colour tools on real pages: the Formatting strip's colour
// combo, the palette's swatches and pickers, and colour cube files.
#include "MainWindowFixture.h"
#include "app/widgets/SidePanel.h"
#include "colourfont/widgets/ColorComboControl.h"
#include "colourfont/widgets/ColourBox.h"
#include "colourfont/widgets/ColourCommands.h"
#include "colourfont/widgets/ColourDialog.h"
#include "colourfont/widgets/ColourPanel.h"

#include <QComboBox>
#include <QTest>
#include <QToolButton>
#include <optional>

using namespace inktest;
using ink::ColourValue;

namespace {

class ColourTools : public MainWindowTest {
protected:
    std::optional<ColourValue> dialogAnswer; // what the colour dialog answers; none = cancel
    int colourDialogs = 0;

    void SetUp() override
    {
        MainWindowTest::SetUp();
        ink::setColourTestResponder([this](ColourValue) {
            ++colourDialogs;
            return dialogAnswer;
        });
    }
    void TearDown() override
    {
        ink::setColourTestResponder(nullptr);
        MainWindowTest::TearDown();
    }

    // A user's pick in the strip's colour combo.
    void pick(const QString& name)
    {
        QComboBox* combo = main->colourCombo()->combo();
        const int index = combo->findText(name);
        ASSERT_GE(index, 0) << name.toStdString();
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    ink::ColourBox* box(const QString& name) const { return main->colourPanel()->box(name); }
    void press(const QString& name, Qt::MouseButton button = Qt::LeftButton)
    {
        ink::ColourBox* target = box(name);
        ASSERT_NE(target, nullptr) << name.toStdString();
        QTest::mousePress(target, button, Qt::NoModifier, QPoint(3, 3));
    }
};

TEST_F(ColourTools, ComboWrapsTheCodeSelectionInOneUndoStep)
{
    ink::DocumentWindow* w = codePageWithSelection("on sale now", 3, 7);
    pick("Maroon");
    EXPECT_EQ(w->code()->text(), "on <FONT color=#800000>sale</FONT> now");
    EXPECT_EQ(w->code()->selectedText(), "sale");
    w->code()->undo();
    EXPECT_EQ(w->code()->text(), "on sale now");
}

TEST_F(ColourTools, ComboWithNothingSelectedLeavesTheCaretBeforeTheEndTag)
{
    ink::DocumentWindow* w = codePageWithSelection("ab", 1, 1);
    pick("Red");
    EXPECT_EQ(w->code()->text(), "a<FONT color=#ff0000></FONT>b");
    const int before = w->code()->text().indexOf("</FONT>");
    EXPECT_EQ(w->code()->caretPosition(), before);
    EXPECT_EQ(w->code()->selectionAnchor(), before);
}

struct CustomCase {
    const char* name;
    std::optional<ColourValue> answer;
    const char* text;
};

class ColourToolsCustom : public ColourTools, public ::testing::WithParamInterface<CustomCase> {};

TEST_P(ColourToolsCustom, OpensTheDialogAndACancelChangesNothing)
{
    ink::DocumentWindow* w = codePageWithSelection("x", 0, 1);
    dialogAnswer = GetParam().answer;
    pick("Custom...");
    EXPECT_EQ(colourDialogs, 1);
    EXPECT_EQ(w->code()->text(), QString::fromLatin1(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ColourToolsCustom,
    ::testing::Values(CustomCase{"Chosen", ColourValue(658188), "<FONT color=#0c0b0a>x</FONT>"},
                      CustomCase{"Cancelled", std::nullopt, "x"}),
    [](const ::testing::TestParamInfo<CustomCase>& info) { return std::string(info.param.name); });

TEST_F(ColourTools, ComboColoursTheDesignSelection)
{
    ink::DocumentWindow* w = codePageWithBody("<P>word</P>");
    w->switchToDesign();
    waitIdle(w);
    w->design()->execCommand(ink::DesignCmd::SelectAll);
    pick("Red");
    waitUntil([w] { return w->design()->bodyInnerHtml().contains("color", Qt::CaseInsensitive); }, 3000);
    const QString body = w->design()->bodyInnerHtml();
    EXPECT_TRUE(body.contains("#ff0000", Qt::CaseInsensitive)) << body.toStdString();
    EXPECT_TRUE(body.contains("word")) << body.toStdString();
}

struct ToolCase {
    const char* name;
    const char* box;
    std::optional<ColourValue> answer; // for the pickers' dialog
    const char* text;                  // the Code view's text afterwards
    ColourValue fgpick;                // the text colour picker afterwards
};

class ColourToolsInCode : public ColourTools, public ::testing::WithParamInterface<ToolCase> {};

TEST_P(ColourToolsInCode, ReplaceTheSelection)
{
    ink::DocumentWindow* w = codePageWithSelection("<P sel>", 3, 6);
    dialogAnswer = GetParam().answer;
    press(QString::fromLatin1(GetParam().box));
    EXPECT_EQ(w->code()->text(), QString::fromLatin1(GetParam().text));
    EXPECT_EQ(box("fgpick")->colour(), GetParam().fgpick);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, ColourToolsInCode,
    ::testing::Values(
        // The swatches write their own (darker) start colours, not the names'.
        ToolCase{"LimeSwatch", "lime", std::nullopt, "<P #00c000>", 0x00C000},
        ToolCase{"BlueSwatch", "blue", std::nullopt, "<P #0000c0>", 0xC00000},
        ToolCase{"TextColour", "fgpick", ColourValue(0x0000FF), "<P color=#ff0000>", 0x0000FF},
        ToolCase{"SelectionBackground", "bgpick", ColourValue(0x00FF00),
                 "<P style=\"BACKGROUND-COLOR: #00ff00\">", 0},
        ToolCase{"PageBackground", "background", ColourValue(0xFFFFFF), "<P bgColor=#ffffff>", 0},
        ToolCase{"PickerCancelled", "fgpick", std::nullopt, "<P sel>", 0}),
    [](const ::testing::TestParamInfo<ToolCase>& info) { return std::string(info.param.name); });

TEST_F(ColourTools, FloatingBarsComboWritesTheSameElementAndUndoesInOneStep)
{
    ink::DocumentWindow* w = codePageWithSelection("on sale now", 3, 7);
    ink::applyComboColour("#ff00ff", main->editTarget(), ink::ComboHost::FormattingBar);
    EXPECT_EQ(w->code()->text(), "on <FONT color=#ff00ff>sale</FONT> now");
    EXPECT_EQ(w->code()->selectedText(), "sale");
    w->code()->undo();
    EXPECT_EQ(w->code()->text(), "on sale now");
}

// The keyboard reaches the swatches as the mouse does.
TEST_F(ColourTools, SwatchKeysApplyAndRecolour)
{
    ink::DocumentWindow* w = codePageWithSelection("abc", 0, 3);
    dialogAnswer = ColourValue(0x0000FF);
    QTest::keyClick(box("white"), Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(box("white")->colour(), 0x0000FF);
    QTest::keyClick(box("white"), Qt::Key_Space);
    EXPECT_EQ(w->code()->text(), "#ff0000");
}

TEST_F(ColourTools, SwatchRightButtonRecoloursWithoutInserting)
{
    ink::DocumentWindow* w = codePageWithSelection("abc", 0, 3);
    dialogAnswer = ColourValue(0x123456);
    press("red", Qt::RightButton);
    EXPECT_EQ(box("red")->colour(), 0x123456);
    dialogAnswer.reset();
    press("red", Qt::RightButton);
    EXPECT_EQ(box("red")->colour(), 0x123456);
    EXPECT_EQ(w->code()->text(), "abc");
    press("red");
    EXPECT_EQ(w->code()->text(), "#563412");
}

TEST_F(ColourTools, DesignViewSwatchKeepsTheTextPickerAndPageColourSetsBgColor)
{
    ink::DocumentWindow* w = codePageWithBody("<P>word</P>");
    w->switchToDesign();
    waitIdle(w);
    press("maroon");
    EXPECT_EQ(box("fgpick")->colour(), 0);
    dialogAnswer = ColourValue(0x336699);
    press("background");
    EXPECT_TRUE(waitUntil([w] { return w->design()->bgColor() == "#996633"; }, 3000))
        << w->design()->bgColor().toStdString();
    EXPECT_EQ(box("background")->colour(), 0x336699);
}

TEST_F(ColourTools, SavedCubeLoadsBackAfterTheSwatchesChanged)
{
    dialogAnswer = ColourValue(0x0A0B0C);
    press("teal", Qt::RightButton);
    const QString path = pagesDir.filePath("mine"); // no extension is added
    nextFileAnswer = {path};
    main->colourPanel()->runCubeCommand("savecc");
    const QByteArray bytes = readBytes(path);
    EXPECT_TRUE(bytes.startsWith(" 16776960 \r\n 0 \r\n 16777215 \r\n 8421504 \r\n")) << bytes.constData();
    EXPECT_TRUE(bytes.contains("\r\n 658188 \r\n")) << bytes.constData();

    dialogAnswer = ColourValue(0xFFFFFF);
    press("teal", Qt::RightButton);
    press("aqua", Qt::RightButton);
    main->colourPanel()->cubeButton()->click();
    EXPECT_EQ(box("teal")->colour(), 0x0A0B0C);
    EXPECT_EQ(box("aqua")->colour(), 0xFFFF00);
    EXPECT_EQ(main->colourPanel()->cubePath(), path);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(ColourTools, ShortCubeRecoloursItsLinesAndLeavesTheRest)
{
    nextFileAnswer = {writePage("short.cube", "1\nabc\n3\n")};
    main->colourPanel()->runCubeCommand("opencc");
    EXPECT_EQ(box("aqua")->colour(), 1);
    EXPECT_EQ(box("black")->colour(), 0);
    EXPECT_EQ(box("white")->colour(), 3);
    EXPECT_EQ(box("gray")->colour(), 0x808080);
    EXPECT_EQ(box("fuchsia")->colour(), 0xC000C0);
}

struct FailureCase {
    const char* name;
    const char* command;
    const char* path; // relative to the pages folder
    const char* message;
};

class ColourToolsCubeFailures : public ColourTools, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ColourToolsCubeFailures, SayWhichFile)
{
    const QString path = pagesDir.filePath(QString::fromLatin1(GetParam().path));
    nextFileAnswer = {path};
    main->colourPanel()->runCubeCommand(QString::fromLatin1(GetParam().command));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages.first(), QString::fromLatin1(GetParam().message).arg(path));
    EXPECT_EQ(box("aqua")->colour(), 0xFFFF00);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ColourToolsCubeFailures,
    ::testing::Values(FailureCase{"SaveIntoMissingFolder", "savecc", "missing/x.cube",
                                  "Could not save the colour cube file %1."},
                      FailureCase{"OpenMissingFile", "opencc", "gone.cube",
                                  "Could not read the colour cube file %1."}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST_F(ColourTools, CancelledFileDialogDoesNothing)
{
    nextFileAnswer.clear();
    main->colourPanel()->runCubeCommand("savecc");
    main->colourPanel()->runCubeCommand("open");
    EXPECT_EQ(fileDialogs, 2);
    EXPECT_TRUE(main->colourPanel()->cubePath().isEmpty());
    EXPECT_TRUE(prompts.messages.isEmpty());
}

}
