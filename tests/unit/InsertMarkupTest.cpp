#include "dialogs/InsertMarkup.h"
#include "EditingMarkers.h"

#include <gtest/gtest.h>

using namespace ink;
using inktest::marks;

namespace {

QString q(const char* text)
{
    return QString::fromUtf8(text);
}

QString afterEdit(const CodeEdit& edit)
{
    return marks(applyCodeEdit(CodeText{}, edit));
}

} // namespace

TEST(InsertMarkup, Image)
{
    struct Row { const char* name; ImageFields fields; const char* markup; };
    const Row rows[] = {
        {"nothing set: src and border always written", {}, "<IMG src=\"\" border=0>"},
        {"height default and percentage",
         {q("images/a.png"), {}, {}, {q("120"), false}, {q("50"), true}, 2},
         "<IMG height=120 src=\"images/a.png\" width=50% border=2>"},
        {"attribute order height alt src width border",
         {q("images/a.png"), {}, q("Tip"), {q("50"), true}, {}, 0},
         "<IMG height=50% alt=\"Tip\" src=\"images/a.png\" border=0>"},
        {"a link wraps the image",
         {q("images/a.png"), q("index.html"), {}, {}, {}, 0},
         "<A href=\"index.html\"><IMG src=\"images/a.png\" border=0></A>"},
        {"a typed quote cannot end the value",
         {q("a.png"), {}, q("say \"hi\" &amp; go"), {}, {}, 0},
         "<IMG alt=\"say &quot;hi&quot; &amp; go\" src=\"a.png\" border=0>"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(imageMarkup(row.fields), q(row.markup)) << row.name;
}

TEST(InsertMarkup, HyperlinkAndBookmark)
{
    struct Row { const char* name; HyperlinkFields fields; const char* markup; };
    const Row rows[] = {
        {"tip, address, target", {q("Start"), q("index.htm"), q("Home"), {}, q("_blank")},
         "<A title=\"Home\" href=\"index.htm\" target=_blank>Start</A>"},
        {"empty text shows the address; no tip no title", {{}, q("a.html"), {}, {}, {}},
         "<A href=\"a.html\">a.html</A>"},
        {"bookmark after the address", {q("Top"), q("a.html"), {}, q("top"), {}},
         "<A href=\"a.html#top\">Top</A>"},
        {"typed quotes escaped in values", {q("x"), q("a\".html"), q("t\"ip"), {}, {}},
         "<A title=\"t&quot;ip\" href=\"a&quot;.html\">x</A>"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(hyperlinkMarkup(row.fields), q(row.markup)) << row.name;

    EXPECT_EQ(afterEdit(hyperlinkCodeEdit({q("Start"), q("a.htm"), {}, {}, {}})),
              q("<A href=\"a.htm\">|Start^</A>"));
    // The name a link's "#top" reaches is "top", also when "#top" was typed.
    EXPECT_EQ(bookmarkMarkup({q("Top of page"), q("top")}), q("<A name=\"top\">Top of page</A>"));
    EXPECT_EQ(bookmarkMarkup({q("Top"), q("#top")}), q("<A name=\"top\">Top</A>"));
    EXPECT_EQ(afterEdit(bookmarkCodeEdit({q("Top"), q("top")})), q("<A name=\"top\">|Top^</A>"));
    EXPECT_EQ(hyperlinkMarkup({q("Top"), q("a.html"), {}, q("#top"), {}}), q("<A href=\"a.html#top\">Top</A>"));
}

TEST(InsertMarkup, Hyperbutton)
{
    HyperbuttonFields button{q("Go"), q("next.html"), q("Arial"), 3, q("#000000"), q("#c0c0c0")};
    EXPECT_EQ(hyperbuttonMarkup(button),
              q("<FORM action=\"next.html\"><INPUT style=\"FONT-SIZE: 12; COLOR: #000000; FONT-FAMILY: "
                "Arial; BACKGROUND-COLOR: #c0c0c0\" type=submit value=\"Go\"></FORM>"));
    button.foreColour = q(" #800000");
    button.sizeStep = 7;
    EXPECT_TRUE(hyperbuttonMarkup(button).contains(q("FONT-SIZE: 36; COLOR:  #800000;")));
    const int expected[] = {8, 10, 12, 14, 18, 24, 36};
    for (int step = 1; step <= 7; ++step)
        EXPECT_EQ(pointSizeOfStep(step), expected[step - 1]) << step;
}

TEST(InsertMarkup, Marquee)
{
    MarqueeFields marquee;
    marquee.text = q("Hi");
    marquee.fontName = q("Arial");
    marquee.foreColour = q("#000000");
    marquee.backColour = q("#ffffff");
    const QString style = q(" style=\" BACKGROUND-COLOR: #ffffff\"");
    EXPECT_EQ(marqueeMarkup(marquee), q("<MARQUEE") + style + q("><FONT") + style
                                          + q(" face=\"Arial\" color=#000000 size=3>Hi</FONT></MARQUEE>"));

    marquee.backColour.clear();
    marquee.directionRight = true;
    marquee.behaviour = MarqueeBehaviour::Alternate;
    marquee.loop = 3;
    marquee.delay = 90;
    marquee.amount = 6;
    EXPECT_EQ(marqueeMarkup(marquee),
              q("<MARQUEE direction=right behavior=alternate loop=3 delay=\"90\" amount=\"6\">"
                "<FONT face=\"Arial\" color=#000000 size=3>Hi</FONT></MARQUEE>"));
    EXPECT_TRUE(marqueePreview(marquee, q("#ffffff")).startsWith(q("<BODY bgColor=#ffffff><MARQUEE")));
    EXPECT_TRUE(afterEdit(marqueeCodeEdit(marquee)).endsWith(q(">|Hi^</FONT></MARQUEE>")));
}

TEST(InsertMarkup, InlineFrame)
{
    InlineFrameFields frame;
    EXPECT_EQ(inlineFrameMarkup(frame), q("<iframe src=\"\" frameborder=0 scrolling=no ></iframe>"));
    frame = {q("menu.html"), q("side"), true, true, FrameAlign::Center, {q("80"), true}, {q("200"), false}};
    EXPECT_EQ(inlineFrameMarkup(frame), q("<iframe src=\"menu.html\" name=\"side\" frameborder=1 "
                                          "align=center height=80% width=200 ></iframe>"));
    frame.align = FrameAlign::Left;
    EXPECT_FALSE(inlineFrameMarkup(frame).contains(q("align=")));
}

TEST(InsertMarkup, ReferencedSourcePath)
{
    struct Row { const char* name; const char* html; const char* path; };
    const Row rows[] = {
        {"quoted value", "<IMG src=\"images/a.gif\" border=0>", "/site/images/a.gif"},
        {"unquoted value up to a blank", "<img src=b.png alt=x>", "/site/b.png"},
        {"lower case preferred to an earlier upper case", "<IMG SRC=\"x.png\"><img src=\"y.png\">",
         "/site/y.png"},
        {"backslashes become slashes", "<IMG src=\"images\\c.gif\">", "/site/images/c.gif"},
        {"no src gives nothing", "<P>text</P>", ""},
        {"empty value gives nothing", "<IMG src=\"\">", ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(referencedSourcePath(q(row.html), q("/site")), q(row.path)) << row.name;
}

// Values typed into the dialogs' fields, through the builders that write them.
TEST(InsertMarkup, TypedValues)
{
    const auto target = [](const char* typed) {
        return hyperlinkMarkup({q("x"), q("a.html"), {}, {}, q(typed)});
    };
    const auto imageHeight = [](const char* typed, bool percentage) {
        return imageMarkup({q("a.png"), {}, {}, {q(typed), percentage}, {}, 0});
    };
    const auto frameWidth = [](const char* typed) {
        InlineFrameFields frame;
        frame.width = {q(typed), false};
        return inlineFrameMarkup(frame);
    };
    struct Row { const char* name; QString markup; const char* expected; };
    const Row rows[] = {
        {"one-word target as typed", target("_blank"), "target=_blank>"},
        {"target with a blank is quoted", target("my frame"), "target=\"my frame\">"},
        {"target with = is quoted", target("a=b"), "target=\"a=b\">"},
        {"target with a quote is quoted, the quote escaped", target("a\"b c"), "target=\"a&quot;b c\">"},
        {"target with a closing bracket is quoted", target("a>b"), "target=\"a>b\">"},
        {"a number", imageHeight("50", false), "<IMG height=50 src="},
        {"a number with px is written as the number", imageHeight("50px", false), "<IMG height=50 src="},
        {"blanks around the number and unit", imageHeight(" 50 PX ", false), "<IMG height=50 src="},
        {"a typed per cent", imageHeight("50%", false), "<IMG height=50% src="},
        {"Percentage chosen", imageHeight("50", true), "<IMG height=50% src="},
        {"a typed px wins over Percentage", imageHeight("50px", true), "<IMG height=50 src="},
        {"a decimal number", imageHeight("12.5", false), "<IMG height=12.5 src="},
        {"no number: not written", imageHeight("big", false), "<IMG src="},
        {"a number and a word: not written", imageHeight("50 em", false), "<IMG src="},
        {"frame width with px", frameWidth("10 px"), "width=10 ></iframe>"},
        {"frame width that is no length", frameWidth("10 x=1"), "scrolling=no ></iframe>"},
    };
    for (const Row& row : rows)
        EXPECT_TRUE(row.markup.contains(q(row.expected))) << row.name << ": " << row.markup.toStdString();
}

TEST(InsertMarkup, LengthFieldMessage)
{
    for (const char* fine : {"", "  ", "50", "50%", "50px", "50 px", "7.5"})
        EXPECT_TRUE(lengthFieldMessage(q(fine)).isEmpty()) << fine;
    for (const char* wrong : {"50 pt", "px", "%", "-5", "5 5", "50%%", "abc"})
        EXPECT_FALSE(lengthFieldMessage(q(wrong)).isEmpty()) << wrong;
}
