// Edits of a page's text that the shown document can take in place: which
// children of which element are replaced, by what, and when a load is
// needed instead.
#include "markup/SourcePatch.h"
#include "markup/SourceTree.h"

#include <gtest/gtest.h>

using namespace ink;

namespace {

const char* const kPage =
    "<html>\r\n<head><title>t</title></head>\r\n<body>\r\n"
    "<p>one</p>\r\n<pre>\r\nkept</pre>\r\n<div id=a><p>two</p></div>\r\n<p>three</p>\r\n"
    "</body>\r\n</html>\r\n";

std::optional<SourcePatch> plan(const std::string& before, const std::string& after)
{
    return planSourcePatch(SourceTree::parse(QByteArray::fromStdString(before)),
                           SourceTree::parse(QByteArray::fromStdString(after)));
}

std::string edited(const char* from, const char* to)
{
    std::string page = kPage;
    const size_t at = page.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return page.replace(at, strlen(from), to);
}

struct PatchCase {
    const char* row;
    const char* from;
    const char* to;
    const char* parentPath;
    int first;
    int count;
    const char* markup;
    const char* shape;
};

void PrintTo(const PatchCase& c, std::ostream* os)
{
    *os << c.row;
}

class SourcePatchTest : public ::testing::TestWithParam<PatchCase> {};

// Paths: 0.2 body; 0.2.1 first p, 0.2.3 pre, 0.2.5 div, 0.2.5.0 its p,
// 0.2.7 the last p.
TEST_P(SourcePatchTest, ReplacesOnlyTheChildrenTheEditReaches)
{
    const PatchCase& c = GetParam();
    const std::optional<SourcePatch> patch = plan(kPage, edited(c.from, c.to));
    ASSERT_TRUE(patch.has_value());
    EXPECT_EQ(patch->parentPath.toStdString(), c.parentPath);
    EXPECT_EQ(patch->first, c.first);
    EXPECT_EQ(patch->count, c.count);
    EXPECT_EQ(patch->markup.toStdString(), c.markup);
    EXPECT_EQ(patch->shape.toStdString(), c.shape);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, SourcePatchTest,
    ::testing::Values(
        PatchCase{"typed_word_in_a_paragraph", "two", "two and", "0.2.5.0", 0, 1, "two and",
                  "1 #7\n"},
        PatchCase{"paragraph_removed", "<p>one</p>", "", "0.2", 0, 3, "\r\n\r\n", "1 #2\n"},
        // The new paragraph ends the one it was typed into.
        PatchCase{"new_paragraph_typed_into_another", "<p>three", "<p>new</p><p>three", "0.2",
                  7, 1, "<p>new</p><p>three</p>", "1 P\n2 #3\n1 P\n2 #5\n"},
        PatchCase{"changed_attribute_replaces_the_element", "id=a", "id=b", "0.2", 5, 1,
                  "<div id=b><p>two</p></div>", "1 DIV\n2 P\n3 #3\n"},
        // The parser drops a line break right after <pre>: the element goes
        // whole, its start tag along.
        PatchCase{"edit_inside_pre", "kept", "kept too", "0.2", 3, 1, "<pre>\r\nkept too</pre>",
                  "1 PRE\n2 #8\n"}),
    [](const ::testing::TestParamInfo<PatchCase>& info) { return info.param.row; });

// Edits the document cannot take in place: the head, changes that make the
// parser build the page differently around the element (a lost end tag, a
// comment left open), no change, and a page without tags of its own for
// the body.
TEST(SourcePatchRefusalTest, LoadsAgainWhenThePatchCouldDiffer)
{
    EXPECT_FALSE(plan(kPage, edited("<title>t", "<title>new")));
    EXPECT_FALSE(plan(kPage, edited("two</p></div>", "two</p>")));
    EXPECT_FALSE(plan(kPage, edited("two", "two<!--")));
    EXPECT_FALSE(plan(kPage, kPage));
    EXPECT_FALSE(plan("<p>a</p>\n<p>b</p>", "<p>a</p>\n<div>b</div>"));
}


// Edits in text the parser ignored inside an element (a stray end tag)
// before its first child or after its last one: the stretch replaced stays
// within the element's content, or the element goes whole.
struct StrayCase {
    const char* row;
    const char* before;
    const char* after;
    const char* parentPath;
    int first;
    int count;
    const char* markup;
};

void PrintTo(const StrayCase& c, std::ostream* os)
{
    *os << c.row;
}

class SourcePatchStrayTextTest : public ::testing::TestWithParam<StrayCase> {};

TEST_P(SourcePatchStrayTextTest, FindsTheStretchWithinTheElement)
{
    const StrayCase& c = GetParam();
    const std::optional<SourcePatch> patch = plan(c.before, c.after);
    ASSERT_TRUE(patch.has_value());
    EXPECT_EQ(patch->parentPath.toStdString(), c.parentPath);
    EXPECT_EQ(patch->first, c.first);
    EXPECT_EQ(patch->count, c.count);
    EXPECT_EQ(patch->markup.toStdString(), c.markup);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, SourcePatchStrayTextTest,
    ::testing::Values(
        // The parser joins the typed text to the child: the element goes whole.
        StrayCase{"typed_before_a_stray_end_tag", "<body><div></span>hello</div></body>",
                  "<body><div>x</span>hello</div></body>", "0.1", 0, 1,
                  "<div>x</span>hello</div>"},
        StrayCase{"typed_after_a_stray_end_tag", "<body><div></span>hello</div></body>",
                  "<body><div></span>x hello</div></body>", "0.1.0", 0, 1, "</span>x hello"},
        StrayCase{"typed_after_the_last_child", "<body><div>hello</spam></div></body>",
                  "<body><div>hello</spam><b>x</b></div></body>", "0.1", 0, 1,
                  "<div>hello</spam><b>x</b></div>"},
        StrayCase{"stray_tag_removed_after_the_last_child",
                  "<body><div><p>a</p></spam></div></body>", "<body><div><p>a</p></div></body>",
                  "0.1", 0, 1, "<div><p>a</p></div>"}),
    [](const ::testing::TestParamInfo<StrayCase>& info) { return info.param.row; });

}
