// Editing commands run on the real code editor and design surface.
#include "../unit/EditingMarkers.h"
#include "GuiTestSupport.h"
#include "editing/EditingCommandTable.h"
#include "editing/widgets/EditingCommands.h"
#include "platform/CodeEditor.h"
#include "platform/ComponentFactory.h"
#include "platform/DesignSurface.h"

#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

using namespace ink;
using inktest::marked;
using inktest::marks;

namespace {

class EditingCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host_ = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(host_.get());
        code_ = createCodeEditor(host_.get());
        design_ = createDesignSurface(host_.get());
        layout->addWidget(code_->widget());
        layout->addWidget(design_->widget());
        host_->resize(800, 600);
        host_->show();
        target_ = EditTarget{design_, code_, false, [this] { ++focusCalls_; }};
    }

    void setCode(const char* markedText)
    {
        const CodeText code = marked(QString::fromUtf8(markedText));
        code_->setText(code.text);
        code_->setSelection(code.anchor, code.caret);
    }

    std::string codeMarks() const
    {
        return marks(CodeText{code_->text(), code_->selectionAnchor(), code_->caretPosition()})
            .toStdString();
    }

    // Loads a page into the design surface and selects all of its body.
    void loadDesignSelectingAll(const QString& body)
    {
        design_->setDocumentHtml(QStringLiteral("<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY>") + body
                                 + QStringLiteral("</BODY></HTML>"));
        ASSERT_TRUE(inktest::waitUntil([this] { return !design_->busy(); }));
        design_->setFocus();
        design_->applyKeys({Key::CtrlHome, Key::ShiftCtrlEnd});
        target_.designView = true;
    }

    // The design HTML on one line: the surface puts CR LF between blocks.
    QString designHtml() const
    {
        return design_->documentHtml().remove(QStringLiteral("\r\n"));
    }

    std::unique_ptr<QWidget> host_;
    CodeEditor* code_ = nullptr;
    DesignSurface* design_ = nullptr;
    EditTarget target_;
    int focusCalls_ = 0;
};

struct CodeCase {
    const char* row;
    const char* command;
    const char* before;
    const char* after;
};

void PrintTo(const CodeCase& c, std::ostream* os)
{
    *os << c.row;
}

class EditingCodeViewTest : public EditingCommandsTest,
                            public ::testing::WithParamInterface<CodeCase> {};

TEST_P(EditingCodeViewTest, LeavesTextAndSelectionInTheEditor)
{
    setCode(GetParam().before);
    ASSERT_TRUE(runEditingCommand(QLatin1String(GetParam().command), target_));
    EXPECT_EQ(codeMarks(), GetParam().after);
    EXPECT_EQ(focusCalls_, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, EditingCodeViewTest,
    ::testing::Values(
        CodeCase{"BoldWithNothingSelected", "bold", "a|b", "a<STRONG>|</STRONG>b"},
        CodeCase{"BoldUnwrapsKeepingOuterText", "bold", "^a <STRONG>bold</STRONG> c|",
                 "a |bold^ c"},
        CodeCase{"CenterOnSale", "center", "a^sale|b", "a<div align=center>|sale^</div>b"},
        CodeCase{"IndentAcrossLines", "tab", "^x\r\ny|",
                 "<BLOCKQUOTE dir=ltr style=\"MARGIN-RIGHT: 0px\">|x\r\ny^</BLOCKQUOTE>"},
        CodeCase{"OutdentTakesOffBlockquote", "outdent", "^<BLOCKQUOTE>t</BLOCKQUOTE>|", "|t^"},
        CodeCase{"BreakLine", "breakline", "a^x|b", "a<BR>|b"},
        CodeCase{"RemoveFormattingDoesNothing", "removeformat", "^<b>x</b>|", "^<b>x</b>|"},
        CodeCase{"HorizontalRuleStaysSelected", "horizontalrule", "a|b", "a^<hr>|b"},
        CodeCase{"OrderedListSelectsNbsp", "orderedlist", "|", "<ol><li>|&nbsp;^</li></ol>"},
        CodeCase{"TextAreaOnHello", "textarea", "^hello|",
                 "<textarea name=\"\" rows=\"\" cols=\"\" wrap=\"\">|hello^</textarea>"},
        CodeCase{"ListBoxWithNothingSelected", "listbox", "|",
                 "<select name=\"\" size=\"2\">|</select>"},
        CodeCase{"SubmitButton", "submitbutton", "|",
                 "^<input type=\"submit\" value=\"Submit Query\">|"}),
    [](const ::testing::TestParamInfo<CodeCase>& info) { return std::string(info.param.row); });

TEST_F(EditingCommandsTest, UnknownNameIsNotAnEditingCommand)
{
    setCode("^x|");
    EXPECT_FALSE(runEditingCommand(QStringLiteral("newtable"), target_));
    EXPECT_EQ(codeMarks(), "^x|");
}

TEST_F(EditingCommandsTest, MissingEditorsMakeCommandsDoNothing)
{
    EXPECT_TRUE(runEditingCommand(QStringLiteral("bold"), EditTarget{}));
    EXPECT_TRUE(runEditingCommand(QStringLiteral("strike"), EditTarget{nullptr, nullptr, true, {}}));
    EXPECT_FALSE(fontSizeComboChosen(QStringLiteral("x"), EditTarget{}).has_value());
}

TEST_F(EditingCommandsTest, CommentWorksOnTheSourceInTheDesignView)
{
    setCode("^c|");
    target_.designView = true;
    runEditingCommand(QStringLiteral("comment"), target_);
    EXPECT_EQ(codeMarks(), "<!--|c^-->");
}

TEST_F(EditingCommandsTest, SizeComboWrapsAndSetsTheSlider)
{
    setCode("a^big|b");
    EXPECT_EQ(fontSizeComboChosen(QStringLiteral("5"), target_), 5);
    EXPECT_EQ(codeMarks(), "a<FONT size=5>^big|</FONT>b");
}

TEST_F(EditingCommandsTest, SliderReleaseGivesTheComboResult)
{
    setCode("a^big|b");
    EXPECT_EQ(fontSizeSliderReleased(8, target_), QStringLiteral("8"));
    EXPECT_EQ(codeMarks(), "a<FONT size=8>^big|</FONT>b");
}

TEST_F(EditingCommandsTest, FontFaceWithNothingSelectedLeavesCaretBetweenTags)
{
    setCode("|");
    fontFaceChosen(QStringLiteral("Arial"), target_);
    EXPECT_EQ(codeMarks(), "<FONT face=\"Arial\">|</FONT>");
}

TEST_F(EditingCommandsTest, FontTabWrapsAndFocusesThePage)
{
    setCode("^w|");
    fontTabClicked(QStringLiteral("Verdana"), target_);
    EXPECT_EQ(codeMarks(), "<FONT face=\"Verdana\">|w^</FONT>");
    EXPECT_EQ(focusCalls_, 1);
}

TEST_F(EditingCommandsTest, DesignStrikeGoesInsideAWholeParagraph)
{
    loadDesignSelectingAll(QStringLiteral("<P>para</P>"));
    ASSERT_TRUE(runEditingCommand(QStringLiteral("strike"), target_));
    const QString html = designHtml();
    EXPECT_TRUE(html.contains(QStringLiteral("<P><STRIKE>para</STRIKE></P>"))) << qPrintable(html);
    EXPECT_EQ(focusCalls_, 1);
    EXPECT_EQ(code_->text(), QString());
}

// The wrapped HTML is longer than what the user sees; the re-selection must
// cover what was selected, not as many characters as the HTML has.
TEST_F(EditingCommandsTest, DesignWrapSelectsExactlyTheWrappedContent)
{
    loadDesignSelectingAll(QStringLiteral("<P><B>bo</B>ld rest</P>"));
    design_->applyKeys({Key::CtrlHome, Key::ShiftRight, Key::ShiftRight, Key::ShiftRight,
                        Key::ShiftRight});
    ASSERT_TRUE(runEditingCommand(QStringLiteral("strike"), target_));
    const QString html = designHtml();
    EXPECT_TRUE(html.contains(QStringLiteral("<P><STRIKE><B>bo</B>ld</STRIKE> rest</P>")))
        << qPrintable(html);
    // The surface reports a selection covering an element's whole content
    // as that element.
    EXPECT_EQ(design_->selectionHtmlText().toStdString(), "<STRIKE><B>bo</B>ld</STRIKE>");
    EXPECT_EQ(focusCalls_, 1);
}

TEST_F(EditingCommandsTest, DesignUnorderedListWithNothingSelectedHoldsNbsp)
{
    loadDesignSelectingAll(QStringLiteral("<P>x</P>"));
    design_->applyKeys({Key::CtrlHome});
    ASSERT_TRUE(runEditingCommand(QStringLiteral("unorderedlist"), target_));
    const QString html = designHtml();
    EXPECT_TRUE(html.contains(QStringLiteral("<UL><LI>&nbsp;</LI></UL>"))) << qPrintable(html);
    EXPECT_EQ(focusCalls_, 1);
}

TEST_F(EditingCommandsTest, DesignCenterUsesTheSurfaceCommand)
{
    loadDesignSelectingAll(QStringLiteral("<P>mid</P>"));
    runEditingCommand(QStringLiteral("center"), target_);
    const QString html = designHtml();
    EXPECT_FALSE(html.contains(QStringLiteral("<div align=center>"))) << qPrintable(html);
    EXPECT_TRUE(html.contains(QStringLiteral("center"), Qt::CaseInsensitive)) << qPrintable(html);
    EXPECT_EQ(focusCalls_, 1);
}

TEST_F(EditingCommandsTest, DesignHorizontalRuleKeepsTheFocusWhereItIs)
{
    loadDesignSelectingAll(QStringLiteral("<P>x</P>"));
    runEditingCommand(QStringLiteral("horizontalrule"), target_);
    EXPECT_TRUE(designHtml().contains(QStringLiteral("<HR>")));
    EXPECT_EQ(focusCalls_, 0);
}

}
