#include "editing/QuickPickerMarkup.h"

#include <gtest/gtest.h>

namespace {

struct PickerCase {
    const char* name;
    const char* file;
    const char* inner;
    const char* link;  // start tag of the link
    const char* text;  // link text made from the file name
    const char* image; // IMG element
};

const PickerCase pickerCases[] = {
    {"plainName_keptAsItIs", "about.html", "", "<A href=\"about.html\">", "about.html",
     "<IMG src=\"images/about.html\">"},
    {"innerString_followsTheValue", "about.html", " target=_blank",
     "<A href=\"about.html\" target=_blank>", "about.html",
     "<IMG src=\"images/about.html\" target=_blank>"},
    {"blank_encoded", "my page.html", "", "<A href=\"my%20page.html\">", "my page.html",
     "<IMG src=\"images/my%20page.html\">"},
    {"hash_encoded", "a#b.html", "", "<A href=\"a%23b.html\">", "a#b.html",
     "<IMG src=\"images/a%23b.html\">"},
    {"quote_encodedAndEscaped", "say\"hi\".gif", "", "<A href=\"say%22hi%22.gif\">",
     "say&quot;hi&quot;.gif", "<IMG src=\"images/say%22hi%22.gif\">"},
    {"ampersandAndAngles", "a&b<c>.html", "", "<A href=\"a%26b%3Cc%3E.html\">",
     "a&amp;b&lt;c&gt;.html", "<IMG src=\"images/a%26b%3Cc%3E.html\">"},
    {"nonAscii_utf8Encoded", "caf\xc3\xa9.html", "", "<A href=\"caf%C3%A9.html\">",
     "caf\xc3\xa9.html", "<IMG src=\"images/caf%C3%A9.html\">"},
    {"percentAndQuestion", "50%?.png", "", "<A href=\"50%25%3F.png\">", "50%?.png",
     "<IMG src=\"images/50%25%3F.png\">"},
    {"safePunctuation_kept", "a-b_c.d~(1)'s+x.png", "", "<A href=\"a-b_c.d~(1)'s+x.png\">",
     "a-b_c.d~(1)&#39;s+x.png", "<IMG src=\"images/a-b_c.d~(1)'s+x.png\">"},
};

class QuickPickerMarkup : public ::testing::TestWithParam<PickerCase> {};

TEST_P(QuickPickerMarkup, BuildsWorkingReferences)
{
    const PickerCase& c = GetParam();
    const QString file = QString::fromUtf8(c.file);
    const QString inner = QString::fromUtf8(c.inner);
    EXPECT_EQ(ink::quickLinkOpening(file, inner), QString::fromUtf8(c.link));
    EXPECT_EQ(ink::quickImageElement(file, inner), QString::fromUtf8(c.image));
    // Whether an apostrophe is escaped is up to Qt; only & < > " must
    // change, so both sides are compared with it unescaped.
    QString text = ink::quickLinkText(file);
    text.replace(QStringLiteral("&#39;"), QStringLiteral("'"));
    QString expected = QString::fromUtf8(c.text);
    expected.replace(QStringLiteral("&#39;"), QStringLiteral("'"));
    EXPECT_EQ(text, expected);
}

INSTANTIATE_TEST_SUITE_P(Table, QuickPickerMarkup, ::testing::ValuesIn(pickerCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct AnswerCase {
    const char* name;
    const char* answer;
    const char* inner;
};

const AnswerCase answerCases[] = {
    {"empty_noBlank", "", ""},
    {"text_oneBlankInFront", "target=_blank", " target=_blank"},
    {"typedAsItIs", "title=\"a&b\"", " title=\"a&b\""},
};

class InnerStringAnswer : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(InnerStringAnswer, KeepsOneLeadingBlank)
{
    EXPECT_EQ(ink::innerStringFromAnswer(QString::fromUtf8(GetParam().answer)),
              QString::fromUtf8(GetParam().inner));
}

INSTANTIATE_TEST_SUITE_P(Table, InnerStringAnswer, ::testing::ValuesIn(answerCases),
                         [](const auto& info) { return std::string(info.param.name); });

}
