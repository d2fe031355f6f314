// Where the source merge wrote each node of the edited document: every
// place of that document must be found in the written text exactly where a
// parse of the written text puts it.
#include "markup/SourceMerge.h"
#include "markup/SourcePosition.h"
#include "markup/SourceTree.h"
#include "markup/WrittenPlaces.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <string>

using namespace ink;

namespace {

// The description of a body whose children are `children`, inside the
// untouched head.
std::string inBody(const std::string& children, int count)
{
    return R"({"p":"","k":"","a":null,"c":[{"p":"0","k":"HTML","a":null,"c":[{"p":"0.0","k":"HEAD"},)"
           R"({"p":"0.1","k":"BODY","a":null,"n":)"
        + std::to_string(count) + R"(,"c":[)" + children + "]}]}]}";
}

QString childPath(const QString& parent, size_t index)
{
    return parent.isEmpty() ? QString::number(index)
                            : parent + QLatin1Char('.') + QString::number(index);
}

struct PlacesCase {
    const char* row;
    const char* source;
    std::string bodyChildren;
    int count;
};

void PrintTo(const PlacesCase& c, std::ostream* os)
{
    *os << c.row;
}

class WrittenPlacesTest : public ::testing::TestWithParam<PlacesCase> {};

// Every node of the written text's parse, every offset in it, as a caret or
// a selection's start and as a selection's end.
TEST_P(WrittenPlacesTest, PlacesAreThoseOfAParseOfTheWrittenText)
{
    const SourceTree source = SourceTree::parse(QByteArray(GetParam().source));
    const std::string description = inBody(GetParam().bodyChildren, GetParam().count);
    const MergeResult merged = mergeSourceParts(
        source, QJsonDocument::fromJson(QByteArray::fromStdString(description)).object());
    ASSERT_TRUE(merged.text) << merged.wholePaths.join(QLatin1Char(' ')).toStdString();
    ASSERT_TRUE(merged.places);
    const SourceTree written = SourceTree::parse(merged.text->toUtf8());
    EXPECT_EQ(merged.places->size(), written.text().size());
    int checked = 0;
    std::vector<std::pair<int, QString>> pending{{0, QString()}};
    while (!pending.empty()) {
        const auto [index, path] = pending.back();
        pending.pop_back();
        const SourceNode& node = written.node(index);
        int length = int(node.children.size());
        if (node.key.startsWith(QLatin1Char('#')) || node.key.startsWith(QLatin1Char('!')))
            length = node.key.mid(1).toInt();
        for (int offset = 0; offset <= length; ++offset) {
            for (const bool end : {false, true}) {
                EXPECT_EQ(merged.places->offsetOf({path, offset}, end),
                          sourceOffset(written, {path, offset}, end))
                    << "at " << path.toStdString() << " offset " << offset
                    << (end ? " ending a selection" : "") << " in\n"
                    << merged.text->toStdString();
                ++checked;
            }
        }
        for (size_t i = 0; i < node.children.size(); ++i)
            pending.emplace_back(node.children[i], childPath(path, i));
    }
    EXPECT_GT(checked, 20);
    // And back: a caret at every byte and selections from it (within a node
    // and across nodes), where the record answers, are what the parse of the
    // written text gives.
    int found = 0;
    const qsizetype size = written.text().size();
    for (qsizetype byte = 0; byte <= size; ++byte) {
        for (const SourceRange range : {SourceRange{byte, byte},
                                        SourceRange{byte, std::min(size, byte + 3)},
                                        SourceRange{std::min(size, byte + 3), byte},
                                        SourceRange{byte, std::min(size, byte + 40)}}) {
            const std::optional<DomRange> place = merged.places->domRangeOf(range);
            if (!place)
                continue;
            ++found;
            EXPECT_EQ(place, domRange(written, range))
                << "for bytes " << range.anchor << " to " << range.focus << " in\n"
                << merged.text->toStdString();
        }
    }
    EXPECT_GT(found, 0);
}

// A table with a stray paragraph the parser puts before it, a paragraph with
// misnested tags, one with references, one on CR LF lines, and a PRE whose
// first line break the parser drops.
const char* const kPage =
    "<TABLE>\n<tr><p>stray</p><td>cell</td></tr>\n</TABLE>\n"
    "<p><b>bold <i>and italic</b> text</i></p>\n<p>Caf&eacute; &#169; &amp; co</p>\n"
    "<p>one\r\ntwo</p>\n<pre>\nab\ncd</pre>\n";
// Body: 0 stray p, 1 table, 2 "\n", 3 misnested p, 4 "\n", 5 references,
// 6 "\n", 7 CR LF p, 8 "\n", 9 pre, 10 "\n".

INSTANTIATE_TEST_SUITE_P(
    Edits, WrittenPlacesTest,
    ::testing::Values(
        PlacesCase{"untouched_in_runs_across_the_table_and_misnesting", kPage,
                   R"({"p":"0.1.0","k":"P","r":11,"l":"#1"})", 11},
        PlacesCase{"changed_text_keeps_its_references", kPage,
                   R"({"p":"0.1.0","k":"P","r":5,"l":"#1"},)"
                   R"({"p":"0.1.5","k":"P","a":null,"c":[{"p":"0.1.5.0","k":"#","d":"Hot Café © & co"}]},)"
                   R"({"p":"0.1.6","k":"#1","r":5,"l":"#1"})",
                   11},
        PlacesCase{"changed_text_on_cr_lf_lines", kPage,
                   R"({"p":"0.1.0","k":"P","r":7,"l":"#1"},)"
                   R"({"p":"0.1.7","k":"P","a":null,"c":[{"p":"0.1.7.0","k":"#","d":"one\ntwo three"}]},)"
                   R"({"p":"0.1.8","k":"#1","r":3,"l":"#1"})",
                   11},
        PlacesCase{"changed_text_in_pre_after_its_dropped_line_break", kPage,
                   R"({"p":"0.1.0","k":"P","r":9,"l":"#1"},)"
                   R"({"p":"0.1.9","k":"PRE","a":null,"c":[{"p":"0.1.9.0","k":"#","d":"abx\ncd","s":1}]},)"
                   R"({"p":"0.1.10","k":"#1"})",
                   11},
        PlacesCase{"new_markup_between_untouched_nodes", kPage,
                   R"({"p":"0.1.0","k":"P","r":5,"l":"#1"},"<B>new <I>bold</I></B>","typed",)"
                   R"({"p":"0.1.5","k":"P","r":6,"l":"#1"})",
                   11},
        PlacesCase{"removed_nodes_leave_no_place", kPage,
                   R"({"p":"0.1.0","k":"P","r":3,"l":"#1"},{"p":"0.1.5","k":"P","r":6,"l":"#1"})",
                   11},
        PlacesCase{"changed_attributes_inside_a_changed_element", kPage,
                   R"({"p":"0.1.0","k":"P","r":3,"l":"#1"},)"
                   R"({"p":"0.1.3","k":"P","a":"<P align=center>","c":[{"p":"0.1.3.0","k":"B"},)"
                   R"({"p":"0.1.3.1","k":"I","a":null,"c":[{"p":"0.1.3.1.0","k":"#","d":" texts"}]}]},)"
                   R"({"p":"0.1.4","k":"#1","r":7,"l":"#1"})",
                   11}),
    [](const ::testing::TestParamInfo<PlacesCase>& info) { return info.param.row; });

// A paragraph split after "one ": the link and " two" are moved into a new
// paragraph, which the program writes around their source text.
TEST(WrittenPlacesMovedTest, MovedNodesAreFoundInsideTheNewElement)
{
    const SourceTree source =
        SourceTree::parse("<p class=x>one <a HREF=\"u.html\">up &amp; on</a> two</p>\n");
    const std::string description = inBody(
        R"({"p":"0.1.0","k":"P","a":null,"n":3,"c":[{"p":"0.1.0.0","k":"#","d":"one "}]},)"
        R"({"o":"\r\n<P class=x>","c":[{"p":"0.1.0.1","k":"A","m":1},{"p":"0.1.0.2","k":"#","d":" two!","m":1}],"e":"</P>"},)"
        R"({"p":"0.1.1","k":"#1"})",
        2);
    const MergeResult merged = mergeSourceParts(
        source, QJsonDocument::fromJson(QByteArray::fromStdString(description)).object());
    ASSERT_TRUE(merged.text);
    const QByteArray text = merged.text->toUtf8();
    ASSERT_EQ(text, "<p class=x>one </p>\n<P class=x><a HREF=\"u.html\">up &amp; on</a> two!</P>\n");
    // Inside the moved link, after the reference; inside the moved text.
    EXPECT_EQ(merged.places->offsetOf({QStringLiteral("0.1.1.0.0"), 4}), text.indexOf("&amp;") + 5);
    EXPECT_EQ(merged.places->offsetOf({QStringLiteral("0.1.1.1"), 4}), text.indexOf("o!") + 1);
    // The new paragraph selected whole: from its start tag to its end tag.
    EXPECT_EQ(merged.places->offsetOf({QStringLiteral("0.1"), 1}), text.indexOf("<P "));
    EXPECT_EQ(merged.places->offsetOf({QStringLiteral("0.1"), 2}, true), text.indexOf("</P>") + 4);
    // Paths the edited document does not have.
    EXPECT_EQ(merged.places->offsetOf({QStringLiteral("0.1.7"), 0}), -1);
    EXPECT_EQ(merged.places->offsetOf({QStringLiteral("0.1.1.1.0"), 0}), -1);
}

}
