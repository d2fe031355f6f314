// A changed text node or start tag written back character by character and
// attribute by attribute: what the user left keeps its source bytes.
#include "markup/SourceText.h"

#include <QStringList>
#include <gumbo.h>

#include <gtest/gtest.h>

using namespace ink;

namespace {

const PageForm kCrLf{"\r\n", false};
const PageForm kLf{"\n", false};
const PageForm kCr{"\r", false};
const PageForm kAscii{"\r\n", true};

struct TextCase {
    const char* row;
    const char* source;
    const char* text; // UTF-8
    TextKind kind;
    PageForm form;
    const char* expected;
};

void PrintTo(const TextCase& c, std::ostream* os)
{
    *os << c.row;
}

class RewriteTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(RewriteTextTest, KeepsWhatTheUserLeft)
{
    const TextCase& c = GetParam();
    EXPECT_EQ(rewriteText(c.source, QString::fromUtf8(c.text), c.kind, c.form).toStdString(),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RewriteTextTest,
    ::testing::Values(
        TextCase{"unchanged_text_is_its_bytes", "Caf&eacute;\r\n&#169;&#xA9; caf\xC3\xA9 &amp",
                 "Caf\xC3\xA9\n\xC2\xA9\xC2\xA9 caf\xC3\xA9 &", TextKind::Markup, kCrLf,
                 "Caf&eacute;\r\n&#169;&#xA9; caf\xC3\xA9 &amp"},
        TextCase{"word_typed_at_the_start", "Caf&eacute; au lait &mdash; served &copy; 2020",
                 "Hot Caf\xC3\xA9 au lait \xE2\x80\x94 served \xC2\xA9 2020", TextKind::Markup,
                 kAscii, "Hot Caf&eacute; au lait &mdash; served &copy; 2020"},
        TextCase{"two_edits_keep_the_references_between",
                 "&eacute;A&#233;B&eacute;", "x\xC3\xA9" "A\xC3\xA9" "B\xC3\xA9y", TextKind::Markup,
                 kCrLf, "x&eacute;A&#233;B&eacute;y"},
        TextCase{"deleted_reference_goes", "a &copy; b", "a  b", TextKind::Markup, kCrLf, "a  b"},
        TextCase{"typed_accent_on_undeclared_ascii_page", "cafe", "caf\xC3\xA9 \xF0\x9F\x98\x80",
                 TextKind::Markup, kAscii, "caf&#233; &#128512;"},
        TextCase{"typed_accent_on_utf8_page", "cafe", "caf\xC3\xA9", TextKind::Markup, kCrLf,
                 "caf\xC3\xA9"},
        TextCase{"typed_markup_characters_escaped", "x", "x & <b> \xC2\xA0", TextKind::Markup,
                 kCrLf, "x &amp; &lt;b&gt; &nbsp;"},
        TextCase{"lf_page_new_break_is_lf", "a\nb", "a\nb\nc", TextKind::Markup, kLf, "a\nb\nc"},
        TextCase{"cr_page_new_break_is_cr", "a\rb", "a\nb\nc", TextKind::Markup, kCr, "a\rb\rc"},
        TextCase{"crlf_break_kept_on_lf_page", "a\r\nb", "a\nbc", TextKind::Markup, kLf,
                 "a\r\nbc"},
        // The engine turns whitespace beside typing into spaces: it reads the same.
        TextCase{"break_the_engine_made_a_space_stays", "Caf\r\nnext\tline", "Caf au lait next line",
                 TextKind::Markup, kCrLf, "Caf au lait\r\nnext\tline"},
        TextCase{"break_in_pre_made_a_space_is_a_change", "a\nb", "a b", TextKind::Preformatted,
                 kLf, "a b"},
        // "&not" followed by typed "in;" would read as another character.
        TextCase{"open_reference_before_typed_letters", "&not", "\xC2\xACin;", TextKind::Markup,
                 kAscii, "&#172;in;"},
        TextCase{"title_takes_server_code_as_typed", "x", "<?= $t ?> & co", TextKind::Rcdata,
                 kCrLf, "<?= $t ?> & co"},
        TextCase{"title_escapes_what_would_end_or_decode", "", "a</title> &copy",
                 TextKind::Rcdata, kCrLf, "a&lt;/title> &amp;copy"},
        TextCase{"script_text_as_it_stands", "if (a<b) x();\n", "if (a<b && c) x();\n",
                 TextKind::Raw, kLf, "if (a<b && c) x();\n"}),
    [](const ::testing::TestParamInfo<TextCase>& info) { return info.param.row; });

struct TagCase {
    const char* row;
    const char* source;
    std::vector<AttributeNow> now;
    const char* expected;
};

void PrintTo(const TagCase& c, std::ostream* os)
{
    *os << c.row;
}

class RewriteStartTagTest : public ::testing::TestWithParam<TagCase> {};

TEST_P(RewriteStartTagTest, WritesOnlyChangedAttributes)
{
    EXPECT_EQ(rewriteStartTag(GetParam().source, GetParam().now).toStdString(),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Tags, RewriteStartTagTest,
    ::testing::Values(
        TagCase{"changed_value_only_is_new", "<BODY bgcolor='red' TEXT=black LINK=\"#00f\">",
                {{"bgcolor", "#ffffff", " bgColor=#ffffff"}, {"text", "black", " text=black"},
                 {"link", "#00f", " link=#00f"}},
                "<BODY bgColor=#ffffff TEXT=black LINK=\"#00f\">"},
        TagCase{"removed_attribute_goes", "<p class=\"a\"\n   id=x>", {{"id", "x", " id=x"}},
                "<p\n   id=x>"},
        TagCase{"added_attribute_at_the_end", "<a HREF=\"u.html\">",
                {{"href", "u.html", " href=u.html"}, {"title", "t", " title=t"}},
                "<a HREF=\"u.html\" title=t>"},
        TagCase{"references_in_unchanged_values_stay", "<a href=\"a?b=1&amp;c=2\" title='&eacute;'>",
                {{"href", "a?b=1&c=2", ""}, {"title", "\xC3\xA9", ""}},
                "<a href=\"a?b=1&amp;c=2\" title='&eacute;'>"},
        TagCase{"self_closing_end_stays", "<img src=x />",
                {{"src", "x", " src=x"}, {"alt", "y", " alt=y"}}, "<img src=x alt=y />"},
        TagCase{"repeated_attribute_the_browser_ignored_stays", "<p id=a ID=b>",
                {{"id", "c", " id=c"}}, "<p id=c ID=b>"},
        TagCase{"bare_attribute_unchanged", "<input type=checkbox CHECKED>",
                {{"type", "checkbox", ""}, {"checked", "", " checked"}},
                "<input type=checkbox CHECKED>"}),
    [](const ::testing::TestParamInfo<TagCase>& info) { return info.param.row; });

// Whitespace at a block's edges is never shown; the engine drops it beside
// typing there, and the source keeps it. Elsewhere, deleting it is an edit.
TEST(RewriteTextPlaceTest, BlockEdgeWhitespaceStaysBesideTyping)
{
    const QByteArray source = "\n\t    Used by the ";
    EXPECT_EQ(rewriteText(source, QStringLiteral("Zq Used by the"), TextKind::Markup, kLf,
                          {true, true}),
              "\n\t    Zq Used by the ");
    EXPECT_EQ(rewriteText(source, QStringLiteral("Zq Used by the"), TextKind::Markup, kLf, {}),
              "Zq Used by the");
    EXPECT_EQ(rewriteText(source, QStringLiteral("Zq Used by the"), TextKind::Preformatted, kLf,
                          {true, true}),
              "Zq Used by the");
}

TEST(PageFormTest, LineBreaksAndCharacterSetFromTheText)
{
    EXPECT_EQ(pageFormOf("<p>a</p>\n<p>b</p>\r\n").lineBreak, QByteArray("\n"));
    EXPECT_EQ(pageFormOf("<p>a</p>\r\n<p>b</p>\n").lineBreak, QByteArray("\r\n"));
    EXPECT_EQ(pageFormOf("<p>a</p>\r<p>b</p>").lineBreak, QByteArray("\r"));
    EXPECT_EQ(pageFormOf("<p>a</p>").lineBreak, QByteArray("\r\n"));
    EXPECT_TRUE(pageFormOf("<p>cafe</p>").asciiOnly);
    EXPECT_FALSE(pageFormOf("<META charset=utf-8><p>cafe</p>").asciiOnly);
    EXPECT_FALSE(pageFormOf("<meta http-equiv=Content-Type content='text/html; charset=utf-8'>")
                     .asciiOnly);
    EXPECT_FALSE(pageFormOf("<p>caf\xC3\xA9</p>").asciiOnly);
}

}

namespace {

// The text a browser reads from markup written into a paragraph, each run
// of whitespace read as one space.
QString readBack(const QByteArray& written)
{
    const QByteArray page = "<body><p>" + written;
    GumboOutput* output = gumbo_parse_with_options(&kGumboDefaultOptions, page.constData(),
                                                   size_t(page.size()));
    QString read;
    const auto* html = output->root;
    const auto* body = static_cast<const GumboNode*>(html->v.element.children.data[1]);
    const auto* p = static_cast<const GumboNode*>(body->v.element.children.data[0]);
    for (unsigned i = 0; i < p->v.element.children.length; ++i) {
        const auto* child = static_cast<const GumboNode*>(p->v.element.children.data[i]);
        if (child->type == GUMBO_NODE_TEXT || child->type == GUMBO_NODE_WHITESPACE)
            read += QString::fromUtf8(child->v.text.text);
    }
    gumbo_destroy_output(&kGumboDefaultOptions, output);
    return read.simplified();
}

}

// Whatever the user did to the text, the page reads back as the new text:
// every source keeps what it can and the rest is escaped.
TEST(RewriteTextReadBackTest, WrittenTextReadsAsTheNewText)
{
    const QStringList sources = {"Caf&eacute; &amp; &lt;b&gt; &#169;&#xA9; &not;in &copy",
                                 "a\r\nb\tc  d &nbsp;e", "&amp;&amp;&amp;", "", "x"};
    const QStringList texts = {
        QString::fromUtf8("Caf\u00e9 & <b> \u00a9\u00a9 \u00acin \u00a9"),
        QString::fromUtf8("Hot Caf\u00e9 &amp; <b> \u00a9 \u00acinx;\u00a9 end &not"),
        QStringLiteral("a b c d \u00a0e"), QStringLiteral("&&x&"), QString(),
        QString::fromUtf8("\u00e9\u00e8 <\u20ac> &#169; &copy; \U0001F600")};
    for (const QString& source : sources) {
        for (const QString& text : texts) {
            for (const PageForm& form : {kCrLf, kAscii}) {
                const QByteArray written =
                    rewriteText(source.toUtf8(), text, TextKind::Markup, form, {true, true});
                EXPECT_EQ(readBack(written), text.simplified())
                    << source.toStdString() << " -> " << written.toStdString();
            }
        }
    }
}
