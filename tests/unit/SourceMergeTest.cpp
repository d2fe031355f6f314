// Writing an edited page back as its source text with only the edited parts
// written anew.
#include "markup/SourceMerge.h"
#include "markup/SourceTree.h"

#include <QJsonArray>
#include <QJsonDocument>
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

namespace {

QJsonValue json(const char* text)
{
    return QJsonDocument::fromJson(QByteArray(text)).object();
}

// A description as the surface writes it, with `##` standing for the body's
// path "0.1".
MergeResult mergedParts(const char* source, const char* description)
{
    const SourceTree tree = SourceTree::parse(QByteArray(source));
    return mergeSourceParts(tree, json(description));
}

std::string mergedText(const char* source, const char* description)
{
    const MergeResult result = mergedParts(source, description);
    return result.text ? result.text->toStdString()
                       : "<whole: " + result.wholePaths.join(QLatin1Char(' ')).toStdString() + ">";
}

// The description of a body whose children are `children`, inside the
// untouched head: {"p":"0", ...{"p":"0.1", "c": children}}.
std::string inBody(const std::string& children, int count)
{
    return R"({"p":"","k":"","a":null,"c":[{"p":"0","k":"HTML","a":null,"c":[{"p":"0.0","k":"HEAD"},)"
           R"({"p":"0.1","k":"BODY","a":null,"n":)"
        + std::to_string(count) + R"(,"c":[)" + children + "]}]}]}";
}

struct PartsCase {
    const char* row;
    const char* source;
    std::string bodyChildren;
    int count;
    const char* expected;
};

void PrintTo(const PartsCase& c, std::ostream* os)
{
    *os << c.row;
}

class SourceMergePartsTest : public ::testing::TestWithParam<PartsCase> {};

TEST_P(SourceMergePartsTest, WritesOnlyWhatChanged)
{
    const PartsCase& c = GetParam();
    EXPECT_EQ(mergedText(c.source, inBody(c.bodyChildren, c.count).c_str()), c.expected);
}

// A table with a stray paragraph the parser puts before it, then a
// paragraph with misnested tags, then a plain one.
const char* const kMisnested =
    "<TABLE>\n<tr><p>stray</p><td>cell</td></tr>\n</TABLE>\n"
    "<p><b>bold <i>and italic</b> text</i></p>\n<p>Caf&eacute; &#169;</p>\n";

INSTANTIATE_TEST_SUITE_P(
    Pages, SourceMergePartsTest,
    ::testing::Values(
        // Body: 0 stray p, 1 table, 2 "\n", 3 misnested p, 4 "\n", 5 last p, 6 "\n".
        PartsCase{"edit_after_foster_parented_and_misnested_content", kMisnested,
                  R"({"p":"0.1.0","k":"P"},{"p":"0.1.1","k":"TABLE"},{"p":"0.1.2","k":"#1"},)"
                  R"({"p":"0.1.3","k":"P"},{"p":"0.1.4","k":"#1"},)"
                  R"({"p":"0.1.5","k":"P","a":null,"c":[{"p":"0.1.5.0","k":"#","d":"Hot Café ©"}]},)"
                  R"({"p":"0.1.6","k":"#1"})",
                  7,
                  "<TABLE>\n<tr><p>stray</p><td>cell</td></tr>\n</TABLE>\n"
                  "<p><b>bold <i>and italic</b> text</i></p>\n<p>Hot Caf&eacute; &#169;</p>\n"},
        PartsCase{"untouched_siblings_in_one_run_across_the_table", kMisnested,
                  R"({"p":"0.1.0","k":"P","r":3,"l":"#1"},"<HR>",{"p":"0.1.3","k":"P","r":4,"l":"#1"})",
                  7,
                  "<TABLE>\n<tr><p>stray</p><td>cell</td></tr>\n</TABLE>\n<HR>"
                  "<p><b>bold <i>and italic</b> text</i></p>\n<p>Caf&eacute; &#169;</p>\n"},
        PartsCase{"edit_inside_the_stray_paragraph_asks_for_both_whole", kMisnested,
                  R"({"p":"0.1.0","k":"P","a":null,"c":[{"p":"0.1.0.0","k":"#","d":"strays"}]},)"
                  R"({"p":"0.1.1","k":"TABLE","r":6,"l":"#1"})",
                  7, "<whole: 0.1.0 0.1.1>"},
        PartsCase{"stray_paragraph_and_table_written_whole_in_their_place", kMisnested,
                  R"({"p":"0.1.0","k":"P","t":"<P>strays</P>"},)"
                  R"({"p":"0.1.1","k":"TABLE","t":"<TABLE><TBODY><TR><TD>cell</TD></TR></TBODY></TABLE>"},)"
                  R"({"p":"0.1.2","k":"#1","r":5,"l":"#1"})",
                  7,
                  "<P>strays</P><TABLE><TBODY><TR><TD>cell</TD></TR></TBODY></TABLE>\n"
                  "<p><b>bold <i>and italic</b> text</i></p>\n<p>Caf&eacute; &#169;</p>\n"},
        PartsCase{"edit_inside_misnested_paragraph", kMisnested,
                  R"({"p":"0.1.0","k":"P","r":3,"l":"#1"},)"
                  R"({"p":"0.1.3","k":"P","a":null,"c":[{"p":"0.1.3.0","k":"B"},)"
                  R"({"p":"0.1.3.1","k":"I","a":null,"c":[{"p":"0.1.3.1.0","k":"#","d":" texts"}]}]},)"
                  R"({"p":"0.1.4","k":"#1","r":3,"l":"#1"})",
                  7,
                  "<TABLE>\n<tr><p>stray</p><td>cell</td></tr>\n</TABLE>\n"
                  "<p><b>bold <i>and italic</b> texts</i></p>\n<p>Caf&eacute; &#169;</p>\n"}),
    [](const ::testing::TestParamInfo<PartsCase>& info) { return info.param.row; });

// Commands that split or wrap blocks move original nodes into new elements:
// the moved nodes keep their source text, the new elements take the
// program's form, the changed attributes alone are written anew.
TEST(SourceMergeMovedNodesTest, MovedNodesKeepTheirSourceText)
{
    const char* source = "<p class=x>one <a HREF=\"u.html\" accesskey='u'>up</a> two</p>\n";
    // The paragraph split after "one ": the link and " two" go to a new one.
    EXPECT_EQ(mergedText(source, inBody(
                  R"({"p":"0.1.0","k":"P","a":null,"n":3,"c":[{"p":"0.1.0.0","k":"#","d":"one "}]},)"
                  R"({"o":"\r\n<P class=x>","c":[{"p":"0.1.0.1","k":"A","m":1},{"p":"0.1.0.2","k":"#","d":" two","m":1}],"e":"</P>"},)"
                  R"({"p":"0.1.1","k":"#1"})", 2).c_str()),
              "<p class=x>one </p>\n<P class=x><a HREF=\"u.html\" accesskey='u'>up</a> two</P>\n");
    // The page colour picker on a body with other attributes.
    const char* body = "<html><BODY TEXT='black' bgcolor=red LINK=\"#00f\">\n<p>a</p>\n</BODY></html>";
    EXPECT_EQ(mergedText(body,
                         R"({"p":"","k":"","a":null,"c":[{"p":"0","k":"HTML","a":null,"c":[)"
                         R"({"p":"0.0","k":"HEAD"},{"p":"0.1","k":"BODY","a":"<BODY text=black bgColor=#ffffff link=#00f>",)"
                         R"("v":[["text","black"," text=black"],["bgcolor","#ffffff"," bgColor=#ffffff"],["link","#00f"," link=#00f"]],)"
                         R"("c":[{"p":"0.1.0","k":"#1","r":3,"l":"#1"}]}]}]})"),
              "<html><BODY TEXT='black' bgColor=#ffffff LINK=\"#00f\">\n<p>a</p>\n</BODY></html>");
}

// The page colour set on a body that began before any body tag: a
// server-side directive before <html>, or a page without a body tag. The
// page's own body tag takes the colour, its other attributes as written;
// without one, a new tag goes before the first element after the head.
TEST(SourceMergeBodyTagTest, ImpliedBodyTakesItsAttributesWhereThePageWantsThem)
{
    struct Row {
        const char* name;
        const char* source;
        const char* expected;
    };
    const Row rows[] = {
        {"directive_then_body_tag",
         "<%@ Language=VBScript %>\n<html>\n<head>\n<title>T</title>\n</head>\n"
         "<body bgcolor=\"white\" TEXT='black'>\n<p>x</p>\n</body>\n</html>\n",
         "<%@ Language=VBScript %>\n<html>\n<head>\n<title>T</title>\n</head>\n"
         "<body bgColor=#ff0000 TEXT='black'>\n<p>x</p>\n</body>\n</html>\n"},
        {"directive_then_bare_body_tag",
         "<%@ Language=VBScript %>\r\n<HTML><HEAD><TITLE>T</TITLE></HEAD>\r\n<Body>\r\n<P>x</P>"
         "</Body></HTML>",
         "<%@ Language=VBScript %>\r\n<HTML><HEAD><TITLE>T</TITLE></HEAD>\r\n"
         "<Body bgColor=#ff0000>\r\n<P>x</P></Body></HTML>"},
        {"directive_and_no_body_tag",
         "<%@ Language=VBScript %>\n<html><head><title>T</title></head>\n<p>x</p>\n</html>\n",
         "<%@ Language=VBScript %>\n<html><head><title>T</title></head>\n"
         "<BODY bgColor=#ff0000><p>x</p>\n</html>\n"},
        {"commented_body_tag_is_not_the_pages",
         "<%@ Language=VBScript %>\n<!-- <body> -->\n<body>\n<p>x</p>\n",
         "<%@ Language=VBScript %>\n<!-- <body> -->\n<body bgColor=#ff0000>\n<p>x</p>\n"},
        {"no_body_tag", "<html><head><title>T</title></head>\n<p>x</p>\n</html>\n",
         "<html><head><title>T</title></head>\n<BODY bgColor=#ff0000><p>x</p>\n</html>\n"},
    };
    for (const Row& row : rows) {
        const SourceTree tree = SourceTree::parse(QByteArray(row.source));
        // The body, and the untouched nodes of the page before it.
        const SourceNode& htmlNode = tree.node(tree.find(QStringLiteral("0")));
        QJsonArray htmlItems;
        int body = -1;
        QString bodyPath;
        for (size_t i = 0; i < htmlNode.children.size() && body < 0; ++i) {
            const QString path = QStringLiteral("0.") + QString::number(i);
            const int index = htmlNode.children[i];
            if (tree.node(index).key == QLatin1String("BODY")) {
                body = index;
                bodyPath = path;
            } else {
                htmlItems.append(QJsonObject{{"p", path}, {"k", tree.node(index).key}});
            }
        }
        ASSERT_GE(body, 0) << row.name;
        // The body's attributes now: the colour, and the text colour where the page gave one.
        QJsonArray attributes{QJsonArray{"bgcolor", "#ff0000", " bgColor=#ff0000"}};
        QString tag = QStringLiteral("<BODY bgColor=#ff0000");
        if (QByteArray(row.source).toLower().contains("text=")) {
            attributes.append(QJsonArray{"text", "black", " text=black"});
            tag += QStringLiteral(" text=black");
        }
        const SourceNode& node = tree.node(body);
        QJsonObject run{{"p", bodyPath + QStringLiteral(".0")},
                        {"k", tree.node(node.children.front()).key},
                        {"r", qint64(node.children.size())},
                        {"l", tree.node(node.children.back()).key}};
        htmlItems.append(QJsonObject{{"p", bodyPath}, {"k", "BODY"}, {"a", tag + QLatin1Char('>')},
                                     {"v", attributes}, {"c", QJsonArray{run}}});
        QJsonObject html{{"p", "0"}, {"k", "HTML"}, {"a", QJsonValue()}, {"c", htmlItems}};
        QJsonObject document{{"p", ""}, {"k", ""}, {"a", QJsonValue()}, {"c", QJsonArray{html}}};
        const std::optional<QString> merged = mergeSource(tree, document);
        ASSERT_TRUE(merged.has_value()) << row.name;
        EXPECT_EQ(merged->toStdString(), row.expected) << row.name;
    }
}

// The surface flags a text at a block's edge, or inside PRE, with numbers.
TEST(SourceMergeTextTest, TextFlagsFromTheSurfaceAreRead)
{
    const char* source = "<p>\n\t  Used by the <b>x</b></p><pre>a\nb</pre>";
    EXPECT_EQ(mergedText(source, inBody(
                  R"({"p":"0.1.0","k":"P","a":null,"c":[{"p":"0.1.0.0","k":"#","d":"Zq Used by the ","b":1},)"
                  R"({"p":"0.1.0.1","k":"B"}]},)"
                  R"({"p":"0.1.1","k":"PRE","a":null,"c":[{"p":"0.1.1.0","k":"#","d":"a b","s":1}]})", 2).c_str()),
              "<p>\n\t  Zq Used by the <b>x</b></p><pre>a b</pre>");
}

// New markup comes in CR LF; an LF page keeps LF.
TEST(SourceMergeLineBreaksTest, NewMarkupTakesThePagesLineBreaks)
{
    EXPECT_EQ(mergedText("<p>a</p>\n<p>b</p>\n",
                         inBody(R"({"p":"0.1.0","k":"P"},"\r\n<UL>\r\n<LI>x</LI>\r\n</UL>",)"
                                R"({"p":"0.1.1","k":"#1","r":3,"l":"#1"})", 4).c_str()),
              "<p>a</p>\n<UL>\n<LI>x</LI>\n</UL>\n<p>b</p>\n");
}

}
