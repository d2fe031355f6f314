// A Code-view edit planned by parsing only the stretch of content it
// reaches: the tree put together must be the parse of the whole new text,
// node for node, and where the stretch could read otherwise the planner
// must leave the edit to a whole parse.
#include "markup/SourcePatch.h"
#include "markup/SourceSplice.h"
#include "markup/SourceTree.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace ink;

namespace {

const char* const kPage =
    "<!DOCTYPE html>\r\n<html>\r\n<head><title>t</title><style>p{}</style></head>\r\n<body>\r\n"
    "<p>one <b>bold</b> and <i>it</i> &amp; more</p>\r\n"
    "<pre>\r\nkept</pre>\r\n"
    "<div id=a><p>two</p><!-- note --></div>\r\n"
    "<ul><li>first <span>item</span></li><li>second</li></ul>\r\n"
    "<table><tr class=r><td>cell <em>text</em></td><td>c2</td></tr></table>\r\n"
    "<h2>head <span>line</span></h2>\r\n"
    "<p><a href=x>link <span>in</span></a> tail</p>\r\n"
    "<script>var a = 1;</script>\r\n"
    "<p>three</p>\r\n"
    "</body>\r\n</html>\r\n";

std::string edited(const std::string& page, const char* from, const char* to)
{
    std::string text = page;
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, strlen(from), to);
}

// Where the two trees first differ, or "" when they are the same.
std::string difference(const SourceTree& spliced, const SourceTree& whole)
{
    std::ostringstream out;
    if (spliced.size() != whole.size()) {
        out << spliced.size() << " nodes for " << whole.size();
        return out.str();
    }
    for (int i = 0; i < whole.size(); ++i) {
        const SourceNode& a = spliced.node(i);
        const SourceNode& b = whole.node(i);
        if (a.key != b.key || a.start != b.start || a.end != b.end || a.openEnd != b.openEnd
            || a.closeStart != b.closeStart || a.closeEnd != b.closeEnd
            || a.children != b.children) {
            out << "node " << i << " " << a.key.toStdString() << " [" << a.start << ", " << a.end
                << ") for " << b.key.toStdString() << " [" << b.start << ", " << b.end << ")";
            return out.str();
        }
    }
    return {};
}

// The patch names nodes the whole parse has: the element at its path holds,
// in place of the children replaced, nodes of the shape it gives.
void expectPatchFits(const SourceTree& before, const SourceTree& whole, const SourcePatch& patch)
{
    const int was = before.find(patch.parentPath);
    const int is = whole.find(patch.parentPath);
    ASSERT_GE(was, 0);
    ASSERT_GE(is, 0);
    const std::vector<int>& children = whole.node(is).children;
    const size_t kept = before.node(was).children.size() - size_t(patch.count);
    ASSERT_GE(children.size(), kept);
    QString shape;
    std::vector<std::pair<int, int>> stack;
    for (size_t i = size_t(patch.first) + children.size() - kept; i-- > size_t(patch.first);)
        stack.push_back({children[i], 1});
    while (!stack.empty()) {
        const auto [index, depth] = stack.back();
        stack.pop_back();
        shape += QString::number(depth) + QLatin1Char(' ') + whole.node(index).key
            + QLatin1Char('\n');
        const std::vector<int>& inner = whole.node(index).children;
        for (size_t i = inner.size(); i-- > 0;)
            stack.push_back({inner[i], depth + 1});
    }
    EXPECT_EQ(patch.shape, shape);
}

struct SpliceCase {
    const char* row;
    const char* page;  // nullptr: kPage
    const char* from;
    const char* to;
    bool spliced;
};

void PrintTo(const SpliceCase& c, std::ostream* os)
{
    *os << c.row;
}

class SourceSpliceTest : public ::testing::TestWithParam<SpliceCase> {};

TEST_P(SourceSpliceTest, SplicedTreeIsTheWholeParse)
{
    const SpliceCase& c = GetParam();
    const std::string page = c.page ? c.page : kPage;
    const SourceTree before = SourceTree::parse(QByteArray::fromStdString(page));
    const QByteArray after = QByteArray::fromStdString(edited(page, c.from, c.to));
    const std::optional<SplicedEdit> spliced = spliceSourceEdit(before, after);
    ASSERT_EQ(spliced.has_value(), c.spliced);
    if (!spliced)
        return;
    const SourceTree whole = SourceTree::parse(after);
    EXPECT_EQ(spliced->after.text(), after);
    EXPECT_EQ(difference(spliced->after, whole), "");
    expectPatchFits(before, whole, spliced->patch);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, SourceSpliceTest,
    ::testing::Values(
        // Text, attributes and tags inside one element.
        SpliceCase{"word_typed_in_text", nullptr, "three", "three and four", true},
        SpliceCase{"word_typed_in_nested_formatting", nullptr, "bold", "bold face", true},
        SpliceCase{"attribute_changed", nullptr, "id=a", "id=b class=c", true},
        SpliceCase{"tag_added", nullptr, "two", "t<b>w</b>o<br>", true},
        SpliceCase{"tag_pair_removed_text_joins", "<body><p>a<b>b</b>c</p></body>", "<b>b</b>",
                   "b", true},
        SpliceCase{"element_removed", nullptr, "<i>it</i>", "", true},
        SpliceCase{"line_breaks_typed", nullptr, "and <i>", "and\r\n\r\n<i>", true},
        SpliceCase{"comment_edited", nullptr, "<!-- note -->", "<!-- a longer note -->", true},
        SpliceCase{"new_paragraph_in_a_division", nullptr, "<p>two</p>",
                   "<p>two</p><p>new</p>", true},
        SpliceCase{"block_added_between_elements", nullptr, "two</p><!-- note -->",
                   "two</p><h3>x</h3><!-- note -->", true},
        SpliceCase{"across_elements", nullptr, " <b>bold</b> and <i>it</i> &amp; more</p>\r\n<pre>",
                   "</p><p>x</p>\r\n<pre>", true},
        SpliceCase{"text_in_a_table_cell", nullptr, "cell ", "a cell ", true},
        SpliceCase{"text_in_a_list_item", nullptr, "item", "items", true},
        // Preformatted text goes whole, its start tag along: the parser
        // drops a line break right after the tag.
        SpliceCase{"edit_inside_pre", nullptr, "kept", "kept too", true},
        SpliceCase{"text_joins_the_text_before", "<body><p>a<b>b</b></p></body>", "<b>b</b>",
                   "b", true},
        // Where the stretch could read otherwise inside the page.
        SpliceCase{"title", nullptr, "<title>t", "<title>new", false},
        SpliceCase{"style_sheet", nullptr, "p{}", "p{color:red}", false},
        SpliceCase{"script", nullptr, "var a", "var b", false},
        SpliceCase{"comment_left_open", nullptr, "two", "two<!--", false},
        SpliceCase{"end_tag_lost", nullptr, "<!-- note --></div>", "<!-- note -->", false},
        SpliceCase{"table_row_attribute", nullptr, "class=r", "class=s", false},
        SpliceCase{"cell_added", nullptr, "<td>c2</td>", "<td>c2</td><td>c3</td>", false},
        SpliceCase{"block_typed_into_a_paragraph", nullptr, "three", "th<div>x</div>ree", false},
        SpliceCase{"list_item_typed_into_a_list_item", nullptr, "item", "it<li>em", false},
        SpliceCase{"heading_typed_into_a_heading", nullptr, "head <span>", "he<h3>x</h3>ad <span>",
                   false},
        // Inside an element of its own, the heading ends nothing.
        SpliceCase{"heading_typed_into_a_span_of_a_heading", nullptr, "line", "li<h3>x</h3>ne",
                   true},
        SpliceCase{"link_typed_into_a_link", nullptr, ">in<", "><a>in</a><", false},
        SpliceCase{"stray_end_tag_typed", nullptr, "item", "it</li>em", false},
        SpliceCase{"end_tag_of_an_outer_element_typed", nullptr, "bold", "bo</p>ld", false},
        SpliceCase{"tag_left_unfinished", nullptr, "three", "three <b", false},
        SpliceCase{"tag_started_at_the_end", nullptr, "three", "three <", false},
        SpliceCase{"misnested_page", "<body><p><b>x</p><p>y</p><p>z</p></body>", ">z<", ">zz<",
                   false},
        SpliceCase{"frameset_later", "<body><p>a</p><frameset></frameset></body>", ">a<", ">b<",
                   false}),
    [](const ::testing::TestParamInfo<SpliceCase>& info) { return info.param.row; });

// A page nested far deeper than any stack of calls would hold: the edit
// in its innermost text is spliced, and the path to it is walked once.
TEST(SourceSpliceDepthTest, DeepPageEditIsSplicedAtTheInnermostElement)
{
    constexpr int kDepth = 10000;
    const QByteArray page = "<html><head></head><body>" + QByteArray("<div>").repeated(kDepth)
        + "deep" + QByteArray("</div>").repeated(kDepth) + "</body></html>";
    QByteArray after = page;
    after.replace("deep", "deeper");
    const SourceTree before = SourceTree::parse(page);
    const std::optional<SplicedEdit> spliced = spliceSourceEdit(before, after);
    ASSERT_TRUE(spliced.has_value());
    EXPECT_EQ(spliced->patch.parentPath.count(QLatin1Char('.')), kDepth + 1);
    EXPECT_EQ(spliced->patch.markup, QStringLiteral("deeper"));
    const SourceTree whole = SourceTree::parse(after);
    EXPECT_EQ(difference(spliced->after, whole), "");
    // The whole parse's check walks the same path.
    const std::optional<SourcePatch> planned = planSourcePatch(before, whole);
    ASSERT_TRUE(planned.has_value());
    EXPECT_EQ(planned->parentPath, spliced->patch.parentPath);
}

}
