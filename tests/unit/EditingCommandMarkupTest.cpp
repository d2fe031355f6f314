// Source edits of the editing commands, checked on the text and selection
// they leave ("^" anchor, "|" caret).
#include "EditingMarkers.h"
#include "editing/CodeEdits.h"
#include "editing/EditingCommandTable.h"
#include "editing/FontControls.h"

#include <gtest/gtest.h>

using namespace ink;
using inktest::marked;
using inktest::marks;

namespace {

// The source after running the named command on a marked text; the text
// unchanged when the command makes no edit.
QString afterCommand(const char* name, const QString& before)
{
    const EditingCommand* command = findEditingCommand(QLatin1String(name));
    if (!command)
        return QStringLiteral("<no such command>");
    const CodeText code = marked(before);
    const std::optional<CodeEdit> edit = codeEditForCommand(*command, code.selectedText());
    return marks(edit ? applyCodeEdit(code, *edit) : code);
}

struct CommandCase {
    const char* row;
    const char* command;
    const char* before;
    const char* after;
};

void PrintTo(const CommandCase& c, std::ostream* os)
{
    *os << c.row;
}

class EditingCommandMarkupTest : public ::testing::TestWithParam<CommandCase> {};

TEST_P(EditingCommandMarkupTest, LeavesTextAndSelection)
{
    EXPECT_EQ(afterCommand(GetParam().command, QString::fromUtf8(GetParam().before)).toStdString(),
              GetParam().after);
}

const char* const indentOpening = "<BLOCKQUOTE dir=ltr style=\"MARGIN-RIGHT: 0px\">";

INSTANTIATE_TEST_SUITE_P(
    Commands, EditingCommandMarkupTest,
    ::testing::Values(
        CommandCase{"BoldWithNothingSelectedPutsCaretBetweenTags", "bold", "a|b",
                    "a<STRONG>|</STRONG>b"},
        CommandCase{"BoldOnWholeElementRemovesTagsAndSelectsWord", "bold",
                    "x^<STRONG>bold</STRONG>|y", "x|bold^y"},
        CommandCase{"BoldUnwrapKeepsTextAroundTheElement", "bold",
                    "^a <STRONG>bold</STRONG> c|", "a |bold^ c"},
        CommandCase{"BoldStartTagWithoutEndKeepsTextBeforeIt", "bold", "^pre <STRONG>bold|",
                    "pre |bold^"},
        CommandCase{"BoldUnwrapsOnlyTheFirstElement", "bold",
                    "^<STRONG>a</STRONG>-<STRONG>b</STRONG>|", "|a^-<STRONG>b</STRONG>"},
        CommandCase{"BoldOnLowerCaseStrongWrapsAgain", "bold", "^<strong>b</strong>|",
                    "<STRONG>|<strong>b</strong>^</STRONG>"},
        CommandCase{"BoldOnSelectedWordWraps", "bold", "a^sale|b", "a<STRONG>|sale^</STRONG>b"},
        CommandCase{"ItalicUsesEm", "italic", "^w|", "<EM>|w^</EM>"},
        CommandCase{"StrikeUnwrapWithEmptyContentLeavesCaret", "strike", "a^<STRIKE></STRIKE>|b",
                    "a|b"},
        CommandCase{"StrikeUnwrapWithEmptyContentKeepsCaretInside", "strike",
                    "^a<STRIKE></STRIKE>b|", "a|b"},
        CommandCase{"ParagraphTogglesP", "pagebreak", "^p|", "<P>|p^</P>"},
        CommandCase{"CenterWrapsInDiv", "center", "a^sale|b", "a<div align=center>|sale^</div>b"},
        CommandCase{"LeftWithNothingSelected", "left", "|", "<div align=left>|</div>"},
        CommandCase{"WrapCountsCrLfAsTwo", "right", "^x\r\ny|", "<div align=right>|x\r\ny^</div>"},
        CommandCase{"OutdentRemovesIndent", "outdent",
                    "^<BLOCKQUOTE dir=ltr style=\"MARGIN-RIGHT: 0px\">text</BLOCKQUOTE>|", "|text^"},
        CommandCase{"OutdentKeepsTextAround", "outdent", "^a<BLOCKQUOTE>t</BLOCKQUOTE>b|",
                    "a|t^b"},
        CommandCase{"OutdentTakesOffOneLevelOfNesting", "outdent",
                    "^<BLOCKQUOTE><BLOCKQUOTE>t</BLOCKQUOTE></BLOCKQUOTE>|",
                    "|<BLOCKQUOTE>t</BLOCKQUOTE>^"},
        CommandCase{"OutdentOfEmptyBlockquoteLeavesCaret", "outdent",
                    "x^<BLOCKQUOTE></BLOCKQUOTE>|y", "x|y"},
        CommandCase{"OutdentWithoutBlockquoteChangesNothing", "outdent", "^plain|", "^plain|"},
        CommandCase{"OutdentWithoutEndTagChangesNothing", "outdent", "^<BLOCKQUOTE>t|",
                    "^<BLOCKQUOTE>t|"},
        CommandCase{"OutdentIgnoresOtherTagsStartingAlike", "outdent",
                    "^<BLOCKQUOTEX>t</BLOCKQUOTE>|", "^<BLOCKQUOTEX>t</BLOCKQUOTE>|"},
        CommandCase{"BreakLineLeavesCaretAfterTag", "breakline", "a^x|b", "a<BR>|b"},
        CommandCase{"RemoveFormattingLeavesSourceAlone", "removeformat", "^<b>x</b>|",
                    "^<b>x</b>|"},
        CommandCase{"HorizontalRuleStaysSelected", "horizontalrule", "a^x|b", "a^<hr>|b"},
        CommandCase{"CommentWrapsSelection", "comment", "^c|", "<!--|c^-->"},
        CommandCase{"OrderedListWithNothingSelectedSelectsNbsp", "orderedlist", "|",
                    "<ol><li>|&nbsp;^</li></ol>"},
        CommandCase{"UnorderedListAroundSelection", "unorderedlist", "^item|",
                    "<ul><li>|item^</li></ul>"},
        CommandCase{"PopUpListRunsTheSameCommand", "unorderedlist2", "|",
                    "<ul><li>|&nbsp;^</li></ul>"},
        CommandCase{"MakeAbsolute", "makeabsolute", "^x|",
                    "<div style=\"position:absolute\">|x^</div>"},
        CommandCase{"TextAreaAroundHello", "textarea", "^hello|",
                    "<textarea name=\"\" rows=\"\" cols=\"\" wrap=\"\">|hello^</textarea>"},
        CommandCase{"ListBoxWithNothingSelected", "listbox", "|",
                    "<select name=\"\" size=\"2\">|</select>"},
        CommandCase{"RadioInputReplacesSelection", "radioinput", "^old|",
                    "^<input type=\"radio\" name=\"\" value=\"\" checked=\"checked\">|"}),
    [](const ::testing::TestParamInfo<CommandCase>& info) { return std::string(info.param.row); });

TEST(EditingCommandMarkup, BoldTwiceWrapsTwiceBecauseOnlyTheWordIsSelected)
{
    const QString once = afterCommand("bold", QStringLiteral("^sale|"));
    EXPECT_EQ(afterCommand("bold", once).toStdString(), "<STRONG><STRONG>|sale^</STRONG></STRONG>");
}

TEST(EditingCommandMarkup, IndentOpeningIs46Characters)
{
    const EditingCommand* indent = findEditingCommand(QStringLiteral("tab"));
    ASSERT_NE(indent, nullptr);
    EXPECT_EQ(indent->codeOpening, QString::fromUtf8(indentOpening));
    EXPECT_EQ(indent->codeOpening.size(), 46);
    EXPECT_EQ(indent->codeClosing, QStringLiteral("</BLOCKQUOTE>"));
}

TEST(EditingCommandMarkup, OutdentTakesBackWhatIndentPutOn)
{
    const QString indented = afterCommand("tab", QStringLiteral("a^sale|b"));
    CodeText code = marked(indented);
    code.anchor = 1;
    code.caret = code.text.size() - 1;
    EXPECT_EQ(afterCommand("outdent", marks(code)).toStdString(), "a|sale^b");
}

struct MarkupCase {
    const char* command;
    const char* markup;
};

class EditingFieldMarkupTest : public ::testing::TestWithParam<MarkupCase> {};

// Single elements are inserted as they stand; wrapping ones start with it.
TEST_P(EditingFieldMarkupTest, WritesExactMarkup)
{
    const EditingCommand* command = findEditingCommand(QLatin1String(GetParam().command));
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(command->codeOpening, QString::fromUtf8(GetParam().markup));
}

INSTANTIATE_TEST_SUITE_P(
    Fields, EditingFieldMarkupTest,
    ::testing::Values(
        MarkupCase{"newform", "<form method=\"post\" action=\"\" enctype=\"text/plain\">"},
        MarkupCase{"combobox", "<select name=\"\">"},
        MarkupCase{"boxdata", "<option value=\"\">"},
        MarkupCase{"makeeditable", "<div contentEditable=true>"},
        MarkupCase{"textinput",
                   "<input type=\"text\" name=\"\" value=\"\" size=\"\" maxlength=\"\">"},
        MarkupCase{"passwordinput",
                   "<input type=\"password\" name=\"\" value=\"\" size=\"\" maxlength=\"\">"},
        MarkupCase{"checkedinput",
                   "<input type=\"checkbox\" name=\"\" value=\"\" checked=\"checked\">"},
        MarkupCase{"hiddeninput", "<input type=\"hidden\" name=\"\" value=\"\">"},
        MarkupCase{"submitbutton", "<input type=\"submit\" value=\"Submit Query\">"},
        MarkupCase{"resetbutton", "<input type=\"reset\" value=\"Reset\">"}),
    [](const ::testing::TestParamInfo<MarkupCase>& info) { return std::string(info.param.command); });

}
