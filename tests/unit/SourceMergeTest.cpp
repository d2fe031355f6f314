// Writing an edited page back as its source text with only the edited parts
// written anew.
#include "markup/SourceMerge.h"
#include "markup/SourceTree.h"

#include <QJsonArray>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace ink;

namespace {

// One change as the design surface describes it.
struct Change {
    enum Kind { None, Text, InsertBefore, Remove, Attributes } kind = None;
    const char* path = "";
    const char* markup = "";
};

bool isAncestorPath(const QString& ancestor, const QString& path)
{
    return ancestor.isEmpty() || path == ancestor || path.startsWith(ancestor + QLatin1Char('.'));
}

// How the surface names untouched siblings: one by one, or as runs with the
// number of children each listed element had.
enum class Siblings { OneByOne, Runs };

// The surface's description of a document with `change` made: the nodes on
// the way to the change are listed with their children, all others are
// named by path and key only.
QJsonValue describe(const SourceTree& tree, int index, const QString& path, const Change& change,
                    Siblings siblings = Siblings::OneByOne)
{
    const SourceNode& node = tree.node(index);
    QJsonObject item{{QStringLiteral("p"), path}, {QStringLiteral("k"), node.key}};
    const QString target = QLatin1String(change.path);
    const QString parentOfTarget = target.section(QLatin1Char('.'), 0, -2);
    if (change.kind == Change::None || !isAncestorPath(path, target))
        return item;
    if (path == target && change.kind == Change::Text) {
        item[QStringLiteral("k")] = node.key.left(1);
        item[QStringLiteral("t")] = QString::fromUtf8(change.markup);
        return item;
    }
    const bool attributes = path == target && change.kind == Change::Attributes;
    item[QStringLiteral("a")] = attributes ? QJsonValue(QLatin1String(change.markup)) : QJsonValue();
    QJsonArray children;
    const QString prefix = path.isEmpty() ? QString() : path + QLatin1Char('.');
    QJsonObject run;
    const auto endRun = [&] {
        if (!run.isEmpty())
            children.append(run);
        run = QJsonObject();
    };
    for (size_t i = 0; i < node.children.size(); ++i) {
        const QString childPath = prefix + QString::number(i);
        if (childPath == target && change.kind == Change::InsertBefore) {
            endRun();
            children.append(QString::fromUtf8(change.markup));
        }
        if (childPath == target && change.kind == Change::Remove) {
            endRun();
            continue;
        }
        const QJsonValue child = describe(tree, node.children[i], childPath, change, siblings);
        const QString key = tree.node(node.children[i]).key;
        if (siblings == Siblings::OneByOne || child.toObject().size() > 2) {
            endRun();
            children.append(child);
        } else if (run.isEmpty()) {
            run = QJsonObject{{QStringLiteral("p"), childPath}, {QStringLiteral("k"), key},
                              {QStringLiteral("r"), 1}, {QStringLiteral("l"), key}};
        } else {
            run[QStringLiteral("r")] = run.value(QStringLiteral("r")).toInt() + 1;
            run[QStringLiteral("l")] = key;
        }
    }
    endRun();
    item[QStringLiteral("c")] = children;
    if (siblings == Siblings::Runs)
        item[QStringLiteral("n")] = int(node.children.size());
    return item;
}

std::string merged(const char* source, const Change& change, Siblings siblings = Siblings::OneByOne)
{
    const SourceTree tree = SourceTree::parse(QByteArray(source));
    const std::optional<QString> result =
        mergeSource(tree, describe(tree, 0, QString(), change, siblings));
    return result ? result->toStdString() : "<none>";
}

const char* const kPage =
    "<!DOCTYPE html>\r\n<?xml version=\"1.0\"?>\r\n<html>\r\n<head>\r\n"
    "<title>t</title>\r\n</head>\r\n<body>\r\n<!-- note -->\r\n"
    "<p class=\"a\">one &copy; <?php echo 1; ?> two</p>\r\n<table><tr><td>x</td></tr></table>\r\n"
    "<p>second</p>\r\n</body>\r\n</html>\r\n";

// Paths in kPage: 1 html, 1.2 body, 1.2.3 first p, 1.2.3.2 its " two",
// 1.2.5 the table, 1.2.7 the second p.
struct MergeCase {
    const char* row;
    const char* source;
    Change change;
    const char* expected;
};

void PrintTo(const MergeCase& c, std::ostream* os)
{
    *os << c.row;
}

class SourceMergeTest : public ::testing::TestWithParam<MergeCase> {};

TEST_P(SourceMergeTest, ChangesOnlyWhatWasEdited)
{
    EXPECT_EQ(merged(GetParam().source, GetParam().change), GetParam().expected);
    EXPECT_EQ(merged(GetParam().source, GetParam().change, Siblings::Runs), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, SourceMergeTest,
    ::testing::Values(
        MergeCase{"untouched_page_is_its_text", kPage, {}, kPage},
        MergeCase{"typed_text_keeps_comments_entities_and_instructions", kPage,
                  {Change::Text, "1.2.3.2", " two three"},
                  "<!DOCTYPE html>\r\n<?xml version=\"1.0\"?>\r\n<html>\r\n<head>\r\n"
                  "<title>t</title>\r\n</head>\r\n<body>\r\n<!-- note -->\r\n"
                  "<p class=\"a\">one &copy; <?php echo 1; ?> two three</p>\r\n"
                  "<table><tr><td>x</td></tr></table>\r\n<p>second</p>\r\n</body>\r\n</html>\r\n"},
        MergeCase{"new_block_between_paragraphs", kPage,
                  {Change::InsertBefore, "1.2.7", "\r\n<HR>"},
                  "<!DOCTYPE html>\r\n<?xml version=\"1.0\"?>\r\n<html>\r\n<head>\r\n"
                  "<title>t</title>\r\n</head>\r\n<body>\r\n<!-- note -->\r\n"
                  "<p class=\"a\">one &copy; <?php echo 1; ?> two</p>\r\n"
                  "<table><tr><td>x</td></tr></table>\r\n<HR><p>second</p>\r\n</body>\r\n</html>\r\n"},
        MergeCase{"removed_table_takes_its_text_along", kPage, {Change::Remove, "1.2.5"},
                  "<!DOCTYPE html>\r\n<?xml version=\"1.0\"?>\r\n<html>\r\n<head>\r\n"
                  "<title>t</title>\r\n</head>\r\n<body>\r\n<!-- note -->\r\n"
                  "<p class=\"a\">one &copy; <?php echo 1; ?> two</p>\r\n\r\n"
                  "<p>second</p>\r\n</body>\r\n</html>\r\n"},
        MergeCase{"changed_attributes_rewrite_the_start_tag_only", kPage,
                  {Change::Attributes, "1.2.7", "<P align=center>"},
                  "<!DOCTYPE html>\r\n<?xml version=\"1.0\"?>\r\n<html>\r\n<head>\r\n"
                  "<title>t</title>\r\n</head>\r\n<body>\r\n<!-- note -->\r\n"
                  "<p class=\"a\">one &copy; <?php echo 1; ?> two</p>\r\n"
                  "<table><tr><td>x</td></tr></table>\r\n<P align=center>second</p>\r\n</body>\r\n"
                  "</html>\r\n"},
        // The table's implied TBODY has no text of its own.
        MergeCase{"cell_inside_implied_tbody", kPage, {Change::Text, "1.2.5.0.0.0.0", "y"},
                  "<!DOCTYPE html>\r\n<?xml version=\"1.0\"?>\r\n<html>\r\n<head>\r\n"
                  "<title>t</title>\r\n</head>\r\n<body>\r\n<!-- note -->\r\n"
                  "<p class=\"a\">one &copy; <?php echo 1; ?> two</p>\r\n"
                  "<table><tr><td>y</td></tr></table>\r\n<p>second</p>\r\n</body>\r\n</html>\r\n"},
        MergeCase{"lf_page_keeps_its_line_ends", "<html><body>\n<p>a</p>\n<p>b</p>\n</body></html>\n",
                  {Change::Text, "0.1.3.0", "bb"},
                  "<html><body>\n<p>a</p>\n<p>bb</p>\n</body></html>\n"},
        MergeCase{"implied_html_head_and_body", "<p>a\r\n<p>b\r\n", {Change::Text, "0.1.1.0",
                                                                     "c\r\n"},
                  "<p>a\r\n<p>c\r\n"},
        MergeCase{"accented_letters_stay", "<p>caf\xC3\xA9</p><p>na\xC3\xAFve</p>",
                  {Change::Text, "0.1.1.0", "na\xC3\xAFve!"},
                  "<p>caf\xC3\xA9</p><p>na\xC3\xAFve!</p>"}),
    [](const ::testing::TestParamInfo<MergeCase>& info) { return info.param.row; });

// The engine's document and the parse differ: the caller must write the
// page in its own form.
TEST(SourceMergeMismatchTest, UnknownPathsAndKeysGiveNone)
{
    const SourceTree tree = SourceTree::parse("<p>a</p>");
    const auto document = [](const QJsonValue& child) {
        return QJsonObject{{QStringLiteral("p"), QString()}, {QStringLiteral("k"), QString()},
                           {QStringLiteral("a"), QJsonValue()},
                           {QStringLiteral("c"), QJsonArray{child}}};
    };
    EXPECT_FALSE(mergeSource(tree, document(QJsonObject{{QStringLiteral("p"), QStringLiteral("5")},
                                                        {QStringLiteral("k"), QStringLiteral("HTML")}})));
    EXPECT_FALSE(mergeSource(tree, document(QJsonObject{{QStringLiteral("p"), QStringLiteral("0")},
                                                        {QStringLiteral("k"), QStringLiteral("DIV")}})));
    EXPECT_TRUE(mergeSource(tree, document(QJsonObject{{QStringLiteral("p"), QStringLiteral("0")},
                                                       {QStringLiteral("k"), QStringLiteral("HTML")}})));
}

// Runs and child counts that do not fit the parse: a run past the last
// child, a last key that differs, a parent whose child count differs.
TEST(SourceMergeMismatchTest, RunsAndCountsThatDoNotFitGiveNone)
{
    const SourceTree tree = SourceTree::parse("<p>a</p><p>b</p><p>c</p>");
    const auto body = [](const QJsonArray& children, int count) {
        const QJsonObject body{{QStringLiteral("p"), QStringLiteral("0.1")},
                               {QStringLiteral("k"), QStringLiteral("BODY")},
                               {QStringLiteral("a"), QJsonValue()},
                               {QStringLiteral("c"), children},
                               {QStringLiteral("n"), count}};
        const QJsonObject html{{QStringLiteral("p"), QStringLiteral("0")},
                               {QStringLiteral("k"), QStringLiteral("HTML")},
                               {QStringLiteral("a"), QJsonValue()},
                               {QStringLiteral("c"), QJsonArray{QJsonObject{
                                   {QStringLiteral("p"), QStringLiteral("0.0")},
                                   {QStringLiteral("k"), QStringLiteral("HEAD")}}, body}}};
        return QJsonObject{{QStringLiteral("p"), QString()}, {QStringLiteral("k"), QString()},
                           {QStringLiteral("a"), QJsonValue()},
                           {QStringLiteral("c"), QJsonArray{html}}};
    };
    const auto run = [](const char* from, int count, const char* last) {
        return QJsonObject{{QStringLiteral("p"), QLatin1String(from)},
                           {QStringLiteral("k"), QStringLiteral("P")},
                           {QStringLiteral("r"), count},
                           {QStringLiteral("l"), QLatin1String(last)}};
    };
    EXPECT_EQ(mergeSource(tree, body({run("0.1.0", 3, "P")}, 3)).value_or(QString()),
              QStringLiteral("<p>a</p><p>b</p><p>c</p>"));
    EXPECT_EQ(mergeSource(tree, body({run("0.1.1", 2, "P"), QStringLiteral("<HR>")}, 3))
                  .value_or(QString()),
              QStringLiteral("<p>b</p><p>c</p><HR>"));
    EXPECT_FALSE(mergeSource(tree, body({run("0.1.0", 4, "P")}, 3)));
    EXPECT_FALSE(mergeSource(tree, body({run("0.1.0", 3, "DIV")}, 3)));
    EXPECT_FALSE(mergeSource(tree, body({run("0.1.0", 0, "P")}, 3)));
    EXPECT_FALSE(mergeSource(tree, body({run("0.1.0", 3, "P")}, 4)));
}

// The parser repeats an unclosed link inside the next blocks. The copies
// have no text of their own: the source must come out once, in order, with
// only the edit changed.
TEST(SourceMergeMisnestingTest, CopiedElementsWriteNoTagsOfTheirOwn)
{
    const char* source = "<div><a name=x/>one</div><p>two</p><p>three</p>";
    EXPECT_EQ(merged(source, {Change::Text, "0.1.0.0.0", "new"}),
              "<div><a name=x/>new</div><p>two</p><p>three</p>");
    EXPECT_EQ(merged(source, {Change::Text, "0.1.1.0.0", "new"}),
              "<div><a name=x/>one</div><p>new</p><p>three</p>");
    EXPECT_EQ(merged(source, {Change::Text, "0.1.2.0.0", "new"}),
              "<div><a name=x/>one</div><p>two</p><p>new</p>");
}

TEST(SourceTreeTest, KeysCountTextAsTheEngineDoes)
{
    const SourceTree tree = SourceTree::parse("<p>a&amp;b\r\nc<!--xy--></p>");
    const int paragraph = tree.find(QStringLiteral("0.1.0"));
    ASSERT_GE(paragraph, 0);
    EXPECT_EQ(tree.node(paragraph).key, QStringLiteral("P"));
    // "a&b", a line feed for the CR LF, "c".
    EXPECT_EQ(tree.node(tree.find(QStringLiteral("0.1.0.0"))).key, QStringLiteral("#5"));
    EXPECT_EQ(tree.node(tree.find(QStringLiteral("0.1.0.1"))).key, QStringLiteral("!2"));
    EXPECT_EQ(tree.find(QStringLiteral("0.1.0.2")), -1);
    EXPECT_EQ(tree.find(QStringLiteral("x")), -1);
}

}
