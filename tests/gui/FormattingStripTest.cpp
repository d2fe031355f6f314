// The Formatting strip's font controls and the side panel's font tabs,
// driven through the main window's real widgets.
#include "MainWindowFixture.h"
#include "app/widgets/SidePanel.h"
#include "app/widgets/SideTabList.h"
#include "app/widgets/ToolStrip.h"
#include "colourfont/widgets/FontComboControl.h"

#include <QComboBox>
#include <QSlider>
#include <QTest>
#include <QToolButton>

using namespace inktest;

class FormattingStrip : public MainWindowTest {
protected:
    QComboBox* sizeCombo() const
    {
        return qobject_cast<QComboBox*>(main->formattingStrip()->namedWidget("Combo1"));
    }
    QSlider* slider() const
    {
        return qobject_cast<QSlider*>(main->formattingStrip()->namedWidget("Slider1"));
    }
};

TEST_F(FormattingStrip, SizeComboWrapsTheSelectionSetsTheSliderAndUndoesInOneStep)
{
    ink::DocumentWindow* w = codePageWithSelection("a big b", 2, 5);
    ASSERT_NE(sizeCombo(), nullptr);
    emit sizeCombo()->textActivated("5");
    EXPECT_EQ(w->code()->text(), "a <FONT size=5>big</FONT> b");
    EXPECT_EQ(w->code()->selectedText(), "big");
    EXPECT_EQ(slider()->value(), 5);
    main->runCommand("undo");
    EXPECT_EQ(w->code()->text(), "a big b");
}

TEST_F(FormattingStrip, PtSizeRangeThenSliderWritesTheSizeIntoTagAndCombo)
{
    ink::DocumentWindow* w = codePageWithSelection("x", 0, 1);
    main->runToolButton("Toolbar7", "ptsize");
    EXPECT_EQ(slider()->minimum(), 8);
    EXPECT_EQ(slider()->maximum(), 72);
    slider()->setValue(8);
    emit slider()->sliderReleased();
    EXPECT_EQ(w->code()->text(), "<FONT size=8>x</FONT>");
    EXPECT_EQ(w->code()->selectedText(), "x");
    EXPECT_EQ(sizeCombo()->currentText(), "8");
    main->runToolButton("Toolbar7", "range");
    EXPECT_EQ(slider()->minimum(), 1);
    EXPECT_EQ(slider()->maximum(), 7);
}

TEST_F(FormattingStrip, FontTabsComeFromTheFontListAndWrapWithTheFace)
{
    const QStringList tabs = main->sidePanel()->fontTabs()->captions();
    ASSERT_FALSE(tabs.isEmpty());
    EXPECT_EQ(tabs.first(), "Arial");
    ink::DocumentWindow* w = codePageWithSelection("word", 0, 4);
    emit main->sidePanel()->fontTabClicked("Verdana");
    EXPECT_EQ(w->code()->text(), "<FONT face=\"Verdana\">word</FONT>");
    EXPECT_EQ(w->code()->selectedText(), "word");
}

TEST_F(FormattingStrip, BoldButtonTogglesInCodeAndStrikeWrapsAParagraphInDesign)
{
    ink::DocumentWindow* w = codePageWithSelection("bold", 0, 4);
    QToolButton* bold = main->formattingStrip()->button("Toolbar4", "bold");
    ASSERT_NE(bold, nullptr);
    bold->click();
    EXPECT_EQ(w->code()->text(), "<STRONG>bold</STRONG>");
    w->code()->setSelection(0, w->code()->text().size());
    bold->click();
    EXPECT_EQ(w->code()->text(), "bold");
    EXPECT_EQ(w->code()->selectedText(), "bold");

    ink::DocumentWindow* d = codePageWithBody("<P>whole paragraph</P>");
    d->switchToDesign();
    waitIdle(d);
    d->design()->execCommand(ink::DesignCmd::SelectAll);
    main->runCommand("strike");
    EXPECT_TRUE(d->design()->bodyInnerHtml().contains("<P><STRIKE>whole paragraph</STRIKE></P>"))
        << d->design()->bodyInnerHtml().toStdString();
}
