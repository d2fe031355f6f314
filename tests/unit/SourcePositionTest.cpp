// Places in the shown document and the bytes of the page's text they stand
// for, both ways. Marked texts: "|" is the focus (or caret), "^" the anchor.
#include "markup/SourcePosition.h"
#include "markup/SourceTree.h"

#include <gtest/gtest.h>

using namespace ink;

namespace {

struct Marked {
    QByteArray text;
    qsizetype anchor = -1;
    qsizetype focus = -1;
};

Marked unmark(const char* marked)
{
    Marked result;
    for (const char* at = marked; *at; ++at) {
        if (*at == '^')
            result.anchor = result.text.size();
        else if (*at == '|')
            result.focus = result.text.size();
        else
            result.text.append(*at);
    }
    if (result.anchor < 0)
        result.anchor = result.focus;
    return result;
}

std::string show(const DomRange& range)
{
    return (range.anchor.path + QLatin1Char('/') + QString::number(range.anchor.offset)
            + QStringLiteral(" - ") + range.focus.path + QLatin1Char('/')
            + QString::number(range.focus.offset))
        .toStdString();
}

// Paths: 0 is the HTML element, 0.0 its head, 0.1 its body.
struct PointCase {
    const char* name;
    const char* marked;
    const char* path;
    int offset;
};

class DesignPointToSource : public ::testing::TestWithParam<PointCase> {};

TEST_P(DesignPointToSource, LandsOnTheMarkedByte)
{
    const Marked source = unmark(GetParam().marked);
    const SourceTree tree = SourceTree::parse(source.text);
    EXPECT_EQ(sourceOffset(tree, {QString::fromLatin1(GetParam().path), GetParam().offset}),
              source.focus);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DesignPointToSource,
    ::testing::Values(
        PointCase{"after_named_entity", "<p>caf&eacute;| au lait</p>", "0.1.0.0", 4},
        PointCase{"after_amp_entity", "<p>a&amp;|b</p>", "0.1.0.0", 2},
        PointCase{"astral_reference_counts_two", "<p>&#x1F600;|x</p>", "0.1.0.0", 2},
        PointCase{"inside_astral_stays_before", "<p>a|&#128512;x</p>", "0.1.0.0", 2},
        PointCase{"legacy_entity_without_semicolon", "<p>&copy|right</p>", "0.1.0.0", 1},
        PointCase{"not_an_entity", "<p>a&zz|q;</p>", "0.1.0.0", 4},
        PointCase{"crlf_is_one_character", "<p>one\r\n|two</p>", "0.1.0.0", 4},
        PointCase{"lone_cr_is_one_character", "<p>a\r|b</p>", "0.1.0.0", 2},
        PointCase{"utf8_characters", "<p>\xC3\xA9\xE2\x82\xAC|x</p>", "0.1.0.0", 2},
        PointCase{"upper_case_tags", "<P>Hello |World</P>", "0.1.0.0", 6},
        PointCase{"pre_drops_leading_crlf", "<pre>\r\nab|c</pre>", "0.1.0.0", 2},
        PointCase{"pre_drops_leading_lf", "<PRE>\nab|c</PRE>", "0.1.0.0", 2},
        PointCase{"pre_keeps_second_break", "<pre>\n\n|x</pre>", "0.1.0.0", 1},
        PointCase{"script_text_is_raw", "<script>a&amp;|b</script>", "0.0.0.0", 6},
        PointCase{"end_of_element_without_end_tag", "<p>one|<p>two", "0.1.0", 1},
        PointCase{"element_end_before_its_end_tag", "<p>one|</p>", "0.1.0", 1},
        PointCase{"between_blocks_after_server_block", "<p>a</p><?php echo 1; ?>|<p>b</p>",
                  "0.1", 2},
        PointCase{"misnested_copy_holds_its_text", "<b>1<i>2</b>3|</i>", "0.1.1.0", 1},
        PointCase{"foster_parented_text", "<table>x|y<tr><td>z</td></tr></table>", "0.1.0", 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DesignPointToSourceTest, UnknownPathIsNoPlace)
{
    const SourceTree tree = SourceTree::parse("<p>a</p>");
    EXPECT_EQ(sourceOffset(tree, {QStringLiteral("0.1.7"), 0}), -1);
    EXPECT_EQ(sourceOffset(tree, {QStringLiteral("x"), 0}), -1);
    EXPECT_EQ(sourceOffset(SourceTree(), {QString(), 0}), -1);
}

// A selected element: (parent, k) to (parent, k + 1).
class DesignElementToSource : public ::testing::TestWithParam<PointCase> {};

TEST_P(DesignElementToSource, SpansItsTags)
{
    const Marked source = unmark(GetParam().marked);
    const SourceTree tree = SourceTree::parse(source.text);
    const QString path = QString::fromLatin1(GetParam().path);
    EXPECT_EQ(sourceOffset(tree, {path, GetParam().offset}, false), source.anchor);
    EXPECT_EQ(sourceOffset(tree, {path, GetParam().offset + 1}, true), source.focus);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DesignElementToSource,
    ::testing::Values(
        PointCase{"image", "<p>a ^<IMG SRC=\"x.png\">| b</p>", "0.1.0", 1},
        PointCase{"table_with_implied_body", "x ^<table><tr><td>1</td></tr></table>| y", "0.1", 1},
        PointCase{"item_without_end_tag", "<ul>^<li>one\r\n|<li>two</ul>", "0.1.0", 0},
        PointCase{"paragraph_with_end_tag", "^<P>one</P>|\r\n<P>two</P>", "0.1", 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct RangeCase {
    const char* name;
    const char* marked;
    DomRange expected;
};

class SourceToDesign : public ::testing::TestWithParam<RangeCase> {};

TEST_P(SourceToDesign, GivesTheShownPlace)
{
    const Marked source = unmark(GetParam().marked);
    const SourceTree tree = SourceTree::parse(source.text);
    const std::optional<DomRange> range = domRange(tree, {source.anchor, source.focus});
    ASSERT_TRUE(range.has_value());
    EXPECT_EQ(show(*range), show(GetParam().expected));
}

DomRange caret(const char* path, int offset)
{
    return {{QString::fromLatin1(path), offset}, {QString::fromLatin1(path), offset}};
}

DomRange span(const char* path, int from, const char* toPath, int to)
{
    return {{QString::fromLatin1(path), from}, {QString::fromLatin1(toPath), to}};
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SourceToDesign,
    ::testing::Values(
        RangeCase{"caret_after_entity", "<p>caf&eacute;| au</p>", caret("0.1.0.0", 4)},
        RangeCase{"caret_inside_entity_goes_before_it", "<p>a&am|p;b</p>", caret("0.1.0.0", 1)},
        RangeCase{"caret_after_crlf", "<p>a\r\n|b</p>", caret("0.1.0.0", 2)},
        RangeCase{"caret_in_pre_after_dropped_break", "<pre>\r\nab|c</pre>",
                  caret("0.1.0.0", 2)},
        RangeCase{"caret_in_start_tag_selects_element", "<p>a <IMG S|RC=\"x\"> b</p>",
                  span("0.1.0", 1, "0.1.0", 2)},
        RangeCase{"caret_in_end_tag_selects_element", "<p>ab</|p><p>c</p>",
                  span("0.1", 0, "0.1", 1)},
        RangeCase{"caret_at_end_tag_is_end_of_content", "<p>ab|</p>", caret("0.1.0.0", 2)},
        RangeCase{"caret_in_head_goes_to_first_text", "<title>T|</title><p>\r\n  Hi",
                  caret("0.1.0.0", 3)},
        RangeCase{"caret_in_comment_goes_after_it", "<p>a<!-- n|ote -->b</p>",
                  caret("0.1.0.2", 0)},
        RangeCase{"caret_in_script_goes_after_it", "<p>a</p><script>x|</script><p>b</p>",
                  caret("0.1.2.0", 0)},
        RangeCase{"caret_in_server_block_skips_layout", "<p>a</p><?php e|cho 1 ?>\r\n<p>b</p>",
                  caret("0.1.3.0", 0)},
        RangeCase{"caret_before_image_in_head_skip", "<style>p{}|</style><img src=a>",
                  caret("0.1", 0)},
        RangeCase{"caret_in_dropped_layout_goes_to_body",
                  "<html><head></head>|\r\n<body><p>x</p></body></html>", caret("0.2.0.0", 0)},
        RangeCase{"caret_in_doctype", "<!DOCTYPE html|>\r\n<p>x</p>", caret("0.1.0.0", 0)},
        RangeCase{"caret_after_everything_is_end_of_body", "<p>x</p></body></html>\r\n|",
                  caret("0.1", 2)},
        RangeCase{"caret_at_end_of_element_without_end_tag", "<p>one|<p>two",
                  caret("0.1.0.0", 3)},
        RangeCase{"selected_word", "<p>one ^two| three</p>", span("0.1.0.0", 4, "0.1.0.0", 7)},
        RangeCase{"backwards_selection_keeps_direction", "<p>one |two^ three</p>",
                  span("0.1.0.0", 7, "0.1.0.0", 4)},
        RangeCase{"selected_element_source", "<p>a ^<img src=x>| b</p>",
                  span("0.1.0", 1, "0.1.0", 2)},
        RangeCase{"foster_parented_text", "<table>x|y<tr><td>z</td></tr></table>",
                  caret("0.1.0", 1)},
        RangeCase{"misnested_copy", "<b>1<i>2</b>3|</i>", caret("0.1.1.0", 1)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SourceToDesignTest, EmptyTreeHasNoPlace)
{
    EXPECT_FALSE(domRange(SourceTree(), {0, 0}).has_value());
}

// The characters counted in a text's source are those the parser makes of
// it: any difference would put every later caret off by one.
TEST(TextCountTest, AgreesWithTheParser)
{
    const char* const texts[] = {
        "a&amp;b&#x1F600;c\r\nd&copy e&eacute;f\xE2\x82\xAC",
        "&notin; &notit; &noti &amp &ampx &#0; &#xD800; &#1114112; &#; &#x;",
        "&fjlig; &NotEqualTilde; &Afr; \xF0\x9F\x98\x80 \r\r\n\n",
        "bad \xC3 utf8 \xE2\x82 end \xFF",
    };
    for (const char* text : texts) {
        const QByteArray page = QByteArray("<p>") + text + "</p>";
        const SourceTree tree = SourceTree::parse(page);
        const int node = tree.find(QStringLiteral("0.1.0.0"));
        ASSERT_GE(node, 0) << text;
        const SourceNode& n = tree.node(node);
        EXPECT_EQ(QStringLiteral("#%1").arg(textUnitsAt(page, n.start, n.end, n.end, false)),
                  n.key)
            << text;
        // Every place maps to a byte and back to itself, but the middle of
        // a character outside the BMP, which is the place before it.
        const qsizetype units = textUnitsAt(page, n.start, n.end, n.end, false);
        for (qsizetype u = 0; u <= units; ++u) {
            const qsizetype back =
                textUnitsAt(page, n.start, n.end, textByteAt(page, n.start, n.end, u, false), false);
            EXPECT_TRUE(back == u || back == u - 1) << text << " at " << u;
        }
    }
}

}
