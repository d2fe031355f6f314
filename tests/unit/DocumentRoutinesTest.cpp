#include "document/DocumentRoutines.h"
#include "document/PageText.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace ink;

TEST(NewPageTemplate, IsTheTwentyOneLinesJoinedByCrLf)
{
    const QString t = newPageTemplate();
    const QStringList lines = t.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 21);
    EXPECT_EQ(lines[0], "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">");
    EXPECT_EQ(lines[3], "<TITLE>Untitled Web Document</TITLE>");
    EXPECT_EQ(lines[4], "<META http-equiv=Content-Type content=\"text/html; charset=windows-1252\">");
    EXPECT_EQ(lines[5], "<META content=\"Inkpress Pro 4.5\" name=Generator>");
    EXPECT_EQ(lines[10], ":link{color:#000c0}");
    EXPECT_EQ(lines[17], "<BODY text=#000000 bgColor=#ffffff>");
    EXPECT_EQ(lines[18], "<div></div>");
    EXPECT_EQ(lines[20], "</HTML>");
    EXPECT_FALSE(t.endsWith("\r\n"));
    EXPECT_FALSE(t.contains(QRegularExpression("[^\r]\n")));
}

struct StripCase {
    const char* name;
    const char* in;
    const char* out;
};

class StripBlockWrapper : public ::testing::TestWithParam<StripCase> {};

TEST_P(StripBlockWrapper, Strips)
{
    EXPECT_EQ(stripBlockWrapper(QString::fromUtf8(GetParam().in)),
              QString::fromUtf8(GetParam().out));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StripBlockWrapper,
    ::testing::Values(
        StripCase{"upper_case_centred_div", "\r\n<DIV align=center>word</DIV>", "word"},
        StripCase{"quoted_centred_p", "\r\n<p align=\"center\">x</P>", "x"},
        StripCase{"plain_p", "\r\n<P>Some text</P>", "Some text"},
        StripCase{"no_leading_crlf_unchanged", "<div>word</div>", "<div>word</div>"},
        StripCase{"shorter_than_opening_and_closing", "\r\n<div></div", "\r\n<div></div"},
        StripCase{"exactly_opening_and_closing", "\r\n<div></div>", ""},
        StripCase{"end_is_not_the_closing_tag", "\r\n<p>abcdefgh", "\r\n<p>abcdefgh"},
        StripCase{"text_after_the_block_kept", "\r\n<div>a</div>\r\n<p>b</p>", "\r\n<div>a</div>\r\n<p>b</p>"},
        StripCase{"two_sibling_blocks_kept", "\r\n<div>a</div><div>b</div>", "\r\n<div>a</div><div>b</div>"},
        StripCase{"nested_block_inside", "\r\n<div>a<div>b</div>c</div>", "a<div>b</div>c"},
        StripCase{"other_closing_at_the_end", "\r\n<p>a</div>", "\r\n<p>a</div>"},
        StripCase{"other_element_unchanged", "\r\n<span>x</span>", "\r\n<span>x</span>"},
        StripCase{"empty", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GeneratorRule, TheEditNamesOnlyTheMarkersCharacters)
{
    const QString text = "<META content=\"MSHTML 6.0\" name=GENERATOR>";
    const GeneratorEdit edit = generatorEdit(text);
    ASSERT_EQ(edit.start, 6);
    EXPECT_EQ(text.mid(edit.start, edit.length), "content=\"MSHTML");
    EXPECT_EQ(text.left(edit.start) + edit.replacement + text.mid(edit.start + edit.length),
              applyGeneratorRule(text));
    EXPECT_EQ(generatorEdit("content=\"MSHTM").start, -1);
    EXPECT_EQ(generatorMarkerReach(), edit.length - 1);
}

TEST(GeneratorRule, RewritesTheFirstMarkerKeepingTheVersion)
{
    const QString in = "<META content=\"MSHTML 6.00.2900\" name=GENERATOR>";
    EXPECT_EQ(applyGeneratorRule(in),
              "<META content=\"Inkpress Pro 4.5 DHTML 6.00.2900\" name=GENERATOR>");
}

TEST(GeneratorRule, KeepsTextAfterASecondMarker)
{
    const QString in = "a content=\"MSHTML 1\" b content=\"MSHTML 2\" c";
    EXPECT_EQ(applyGeneratorRule(in),
              "a content=\"Inkpress Pro 4.5 DHTML 1\" b content=\"MSHTML 2\" c");
}

TEST(GeneratorRule, LeavesOtherTextAlone)
{
    EXPECT_EQ(applyGeneratorRule("content=MSHTML"), "content=MSHTML");
    EXPECT_EQ(applyGeneratorRule(newPageTemplate()), newPageTemplate());
}

TEST(ReplaceTitle, PutsTheTitleBetweenTheMarkers)
{
    const TitleEdit e = replaceTitle(newPageTemplate(), "My page");
    ASSERT_EQ(e.outcome, TitleEdit::Replaced);
    EXPECT_TRUE(e.text.contains("<TITLE>My page</TITLE>\r\n<META"));
    EXPECT_EQ(e.text.size(), newPageTemplate().size() - QString("Untitled Web Document").size() + 7);
}

struct AnyCaseTitleCase {
    const char* name;
    const char* page;
    const char* replaced; // "" when the page has no title element
};

class ReplaceTitleInUserText : public ::testing::TestWithParam<AnyCaseTitleCase> {};

// Pages the user wrote spell the title element in any case.
TEST_P(ReplaceTitleInUserText, FindsTheTitleElementInAnyCase)
{
    const TitleEdit e = replaceTitle(QString::fromUtf8(GetParam().page), "y");
    if (*GetParam().replaced == 0) {
        EXPECT_EQ(e.outcome, TitleEdit::NoTitleElement);
        return;
    }
    ASSERT_EQ(e.outcome, TitleEdit::Replaced);
    EXPECT_EQ(e.text, QString::fromUtf8(GetParam().replaced));
}

INSTANTIATE_TEST_SUITE_P(
    Pages, ReplaceTitleInUserText,
    ::testing::Values(
        AnyCaseTitleCase{"lower_case", "<head><title>x</title></head>", "<head><title>y</title></head>"},
        AnyCaseTitleCase{"mixed_case_with_attribute", "<Title lang=en>x</TITLE>", "<Title lang=en>y</TITLE>"},
        AnyCaseTitleCase{"upper_case_wins_over_lower", "<title>a</title><TITLE>b</TITLE>",
                         "<title>a</title><TITLE>y</TITLE>"},
        AnyCaseTitleCase{"titlebar_element_is_not_a_title", "<titlebar>x</titlebar>", ""},
        AnyCaseTitleCase{"no_title", "<head></head>", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReplaceTitle, StartWithoutEndChangesNothing)
{
    EXPECT_EQ(replaceTitle("<TITLE>x", "y").outcome, TitleEdit::NoTitleEnd);
}

TEST(ReplaceTitle, KeepsEveryOtherCharacterOfAPageWithTwoTitles)
{
    const QString page = "a<TITLE>one</TITLE>b<TITLE>two</TITLE>c";
    EXPECT_EQ(replaceTitle(page, "new").text, "a<TITLE>new</TITLE>b<TITLE>two</TITLE>c");
}

// The title is written as typed where the page reads it back the same, and
// escaped only where it would end the title or read as a reference.
TEST(ReplaceTitle, TitleTextCannotBreakTheMarkup)
{
    EXPECT_EQ(replaceTitle("<TITLE></TITLE>", "Fish & <Chips>").text,
              "<TITLE>Fish & <Chips></TITLE>");
    EXPECT_EQ(replaceTitle("<TITLE></TITLE>", "a </title> &copy").text,
              "<TITLE>a &lt;/title> &amp;copy</TITLE>");
}

// What the user left of the old title keeps its source form.
TEST(ReplaceTitle, KeepsServerCodeAndReferencesOfTheOldTitle)
{
    EXPECT_EQ(replaceTitle("<title><?= htmlspecialchars($title) ?></title>",
                           "<?= htmlspecialchars($title) ?> - Home").text,
              "<title><?= htmlspecialchars($title) ?> - Home</title>");
    EXPECT_EQ(replaceTitle("<title>Caf&eacute; &amp; bar</title>", QString::fromUtf8("Caf\u00e9 & bars")).text,
              "<title>Caf&eacute; &amp; bars</title>");
}

TEST(PageChecks, FramesetAndTitleCountsAreCaseSensitive)
{
    EXPECT_TRUE(isFramesetPage("<html><frameset cols=2>"));
    EXPECT_FALSE(isFramesetPage("<FRAMESET>"));
    EXPECT_EQ(countTitleTags("<title>a</title><TITLE>"), 1);
    EXPECT_EQ(countTitleTags("<title><title>"), 2);
}
