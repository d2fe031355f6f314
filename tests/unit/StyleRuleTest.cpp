#include "styles/StyleRule.h"

#include <gtest/gtest.h>

namespace {

using ink::RuleSelection;
using ink::StyleOption;
using ink::StyleOptions;

// {brackets, styleEquals, tag, class, id}
constexpr StyleOptions FirstStart{true, false, true, false, false};
constexpr StyleOptions IdRule{true, false, false, false, true};
constexpr StyleOptions ClassRule{true, false, false, true, false};
constexpr StyleOptions BracketsOnly{true, false, false, false, false};
constexpr StyleOptions InlineStyle{false, true, false, false, false};
constexpr StyleOptions NoOptions{false, false, false, false, false};
constexpr StyleOptions TagNoBrackets{false, false, true, false, false};

struct RuleCase {
    const char* row;
    StyleOptions options;
    const char* declaration;
    const char* text;
    int anchor, caret; // selection after writing, from the start of the text
};

const RuleCase ruleCases[] = {
    {"first start: tag rule, tag selected", FirstStart, "border:solid", "tag{border:solid}", 0, 3},
    {"id rule: id selected after the hash", IdRule, "border:solid", "#id{border:solid}", 1, 3},
    {"class rule: class selected after the dot", ClassRule, "cursor:help", ".class{cursor:help}", 1, 6},
    {"brackets only: caret after the brace", BracketsOnly, "border:solid", "{border:solid}", 14, 14},
    {"inline style: caret after the closing quote", InlineStyle, "border:solid",
     "style=\"border:solid\"", 20, 20},
    {"no options: bare declaration", NoOptions, "border:solid", "border:solid", 12, 12},
    {"tag without brackets", TagNoBrackets, "border:solid", "tagborder:solid", 0, 3},
    // Combinations only a hand-edited settings file gives: the pieces keep
    // their order and the last selector's name is the one selected.
    {"hand-edited: tag and id", {true, false, true, false, true}, "float:left", "tag#id{float:left}", 4, 6},
    {"hand-edited: everything", {true, true, true, true, true}, "a:b", "style=\"tag#id.class{a:b}\"", 14, 19},
    {"hand-edited: style= and tag", {false, true, true, false, false}, "a:b", "style=\"taga:b\"", 7, 10},
    {"empty declaration", FirstStart, "", "tag{}", 0, 3},
};

TEST(StyleRule, TextAndSelectionForEachOptionSet)
{
    for (const RuleCase& c : ruleCases) {
        SCOPED_TRACE(c.row);
        const QString declaration = QString::fromLatin1(c.declaration);
        EXPECT_EQ(ink::styleRuleText(c.options, declaration).toStdString(), c.text);
        const RuleSelection s = ink::styleRuleSelection(c.options, declaration);
        EXPECT_EQ(s.anchor, c.anchor);
        EXPECT_EQ(s.caret, c.caret);
    }
}

struct ClickCase {
    const char* row;
    StyleOptions before;
    StyleOption clicked;
    StyleOptions after;
};

const ClickCase clickCases[] = {
    {"brackets checked: only unchecked", FirstStart, StyleOption::Brackets, TagNoBrackets},
    {"brackets unchecked: checked, style= off", InlineStyle, StyleOption::Brackets, BracketsOnly},
    {"style= checked: only unchecked", InlineStyle, StyleOption::StyleEquals, NoOptions},
    {"style= unchecked: all others off", FirstStart, StyleOption::StyleEquals, InlineStyle},
    {"tag unchecked: brackets on, others off", InlineStyle, StyleOption::TagApply, FirstStart},
    {"tag from id rule", IdRule, StyleOption::TagApply, FirstStart},
    {"tag checked: brackets stay", FirstStart, StyleOption::TagApply, BracketsOnly},
    {"tag checked without brackets: stays without", TagNoBrackets, StyleOption::TagApply, NoOptions},
    {"class unchecked: replaces tag", FirstStart, StyleOption::ClassApply, ClassRule},
    {"class from style=", InlineStyle, StyleOption::ClassApply, ClassRule},
    {"class checked: brackets stay", ClassRule, StyleOption::ClassApply, BracketsOnly},
    {"id unchecked: replaces class", ClassRule, StyleOption::IdApply, IdRule},
    {"id from nothing checks brackets", NoOptions, StyleOption::IdApply, IdRule},
    {"id checked: brackets stay", IdRule, StyleOption::IdApply, BracketsOnly},
};

TEST(StyleRule, OptionClicks)
{
    for (const ClickCase& c : clickCases) {
        SCOPED_TRACE(c.row);
        EXPECT_TRUE(ink::clickStyleOption(c.before, c.clicked) == c.after);
    }
}

TEST(StyleRule, ClickSequenceFromStyleEqualsBackToTagRule)
{
    StyleOptions o = ink::clickStyleOption(FirstStart, StyleOption::StyleEquals);
    o = ink::clickStyleOption(o, StyleOption::Brackets);
    EXPECT_TRUE(o == BracketsOnly);
    o = ink::clickStyleOption(o, StyleOption::TagApply);
    EXPECT_TRUE(o == FirstStart);
}

}
