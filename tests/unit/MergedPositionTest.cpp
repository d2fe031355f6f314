// Places in a document edited in the Design view, against the text written
// back for it.
#include "markup/MergedPosition.h"
#include "markup/SourceMerge.h"
#include "markup/SourceTree.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace ink;

namespace {

// The page "<p>one</p>\r\n<p>two &amp; three</p><p>four</p>" with an edit,
// as the surface describes it. In the document now, 0.1 is the body.
const char kSource[] = "<p>one</p>\r\n<p>two &amp; three</p><p>four</p>";

QString body(const char* items)
{
    return QStringLiteral(R"({"p":"","k":"","c":[{"p":"0","k":"HTML","c":[{"p":"0.0","k":"HEAD"},)"
                          R"({"p":"0.1","k":"BODY","c":[%1]}]}]})")
        .arg(QLatin1String(items));
}

struct MergeCase {
    const char* name;
    const char* items;   // the body's items
    const char* marked;  // the merged text, "|" where the point stands
    const char* path;    // the point in the document as it is now
    int offset;
    bool roundTrip;      // the place in the text gives the point back
};

class MergedPositionTest : public ::testing::TestWithParam<MergeCase> {};

TEST_P(MergedPositionTest, PointAndTextAgree)
{
    const MergeCase& c = GetParam();
    const SourceTree tree = SourceTree::parse(kSource);
    const QJsonValue description =
        QJsonDocument::fromJson(body(c.items).toUtf8()).object();
    std::vector<MergedPlace> places;
    const std::optional<QString> merged = mergeSource(tree, description, &places);
    ASSERT_TRUE(merged.has_value());
    QByteArray expected(c.marked);
    const qsizetype at = expected.indexOf('|');
    expected.remove(at, 1);
    ASSERT_EQ(merged->toUtf8(), expected);

    const MergedPosition positions(tree, description, places);
    const DomPoint point{QString::fromLatin1(c.path), c.offset};
    EXPECT_EQ(positions.sourceOffset(point), at);
    if (c.roundTrip) {
        const std::optional<DomRange> back = positions.domRange({at, at});
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(back->focus.path, point.path);
        EXPECT_EQ(back->focus.offset, point.offset);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MergedPositionTest,
    ::testing::Values(
        MergeCase{"in_changed_text",
                  R"({"p":"0.1.0","k":"P","c":[{"p":"0.1.0.0","k":"#","t":"o&amp;ne"}]},)"
                  R"({"p":"0.1.1","k":"#1"},{"p":"0.1.2","k":"P"},{"p":"0.1.3","k":"P"})",
                  "<p>o&amp;|ne</p>\r\n<p>two &amp; three</p><p>four</p>", "0.1.0.0", 2, true},
        MergeCase{"in_untouched_text_after_a_change",
                  R"({"p":"0.1.0","k":"P","c":[{"p":"0.1.0.0","k":"#","t":"one more"}]},)"
                  R"({"p":"0.1.1","k":"#1"},{"p":"0.1.2","k":"P"},{"p":"0.1.3","k":"P"})",
                  "<p>one more</p>\r\n<p>two &amp; |three</p><p>four</p>", "0.1.2.0", 6, true},
        MergeCase{"in_a_run_of_untouched_nodes",
                  R"("<hr>",{"p":"0.1.0","k":"P","r":4,"l":"P"})",
                  "<hr><p>one</p>\r\n<p>two &amp; three</p><p>fo|ur</p>", "0.1.4.0", 2, true},
        MergeCase{"after_a_removed_node",
                  R"({"p":"0.1.0","k":"P"},{"p":"0.1.1","k":"#1"},{"p":"0.1.3","k":"P"})",
                  "<p>one</p>\r\n<p>f|our</p>", "0.1.2.0", 1, true},
        MergeCase{"before_a_new_node",
                  R"({"p":"0.1.0","k":"P"},"<p>new</p>",{"p":"0.1.1","k":"#1"},)"
                  R"({"p":"0.1.2","k":"P"},{"p":"0.1.3","k":"P"})",
                  "<p>one</p>|<p>new</p>\r\n<p>two &amp; three</p><p>four</p>", "0.1", 1, true},
        MergeCase{"inside_a_new_node_is_before_it",
                  R"({"p":"0.1.0","k":"P"},"<p>new</p>",{"p":"0.1.1","k":"#1"},)"
                  R"({"p":"0.1.2","k":"P"},{"p":"0.1.3","k":"P"})",
                  "<p>one</p>|<p>new</p>\r\n<p>two &amp; three</p><p>four</p>", "0.1.1.0", 2,
                  false},
        MergeCase{"end_of_an_element_with_changes",
                  R"({"p":"0.1.0","k":"P","c":[{"p":"0.1.0.0","k":"#","t":"uno"}]},)"
                  R"({"p":"0.1.1","k":"#1"},{"p":"0.1.2","k":"P"},{"p":"0.1.3","k":"P"})",
                  "<p>uno|</p>\r\n<p>two &amp; three</p><p>four</p>", "0.1.0", 1, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MergedPositionSelectionTest, SelectedElementAndCaretInItsTag)
{
    const SourceTree tree = SourceTree::parse(kSource);
    const QJsonValue description = QJsonDocument::fromJson(
        body(R"({"p":"0.1.0","k":"P","c":[{"p":"0.1.0.0","k":"#","t":"uno"}]},)"
             R"({"p":"0.1.1","k":"#1"},{"p":"0.1.2","k":"P"},{"p":"0.1.3","k":"P"})")
            .toUtf8()).object();
    std::vector<MergedPlace> places;
    const std::optional<QString> merged = mergeSource(tree, description, &places);
    ASSERT_TRUE(merged.has_value());
    const MergedPosition positions(tree, description, places);
    const QByteArray text = merged->toUtf8();
    const qsizetype second = text.indexOf("<p>two");
    // The second paragraph, selected whole, is its source from "<" to ">".
    EXPECT_EQ(positions.sourceOffset({QStringLiteral("0.1"), 2}), second);
    EXPECT_EQ(positions.sourceOffset({QStringLiteral("0.1"), 3}, true),
              text.indexOf("</p>", second) + 4);
    // A caret inside its start tag selects it.
    const std::optional<DomRange> tag = positions.domRange({second + 1, second + 1});
    ASSERT_TRUE(tag.has_value());
    EXPECT_EQ(tag->anchor, (DomPoint{QStringLiteral("0.1"), 2}));
    EXPECT_EQ(tag->focus, (DomPoint{QStringLiteral("0.1"), 3}));
    // So does one inside the start tag of the element with changes.
    const std::optional<DomRange> changed = positions.domRange({1, 1});
    ASSERT_TRUE(changed.has_value());
    EXPECT_EQ(changed->anchor, (DomPoint{QStringLiteral("0.1"), 0}));
    EXPECT_EQ(changed->focus, (DomPoint{QStringLiteral("0.1"), 1}));
}

}
