#include "markup/TextChangeRange.h"

#include <QByteArray>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ink;

namespace {

// One edit of a text: an insertion (length > 0) or a deletion (length < 0).
struct Edit {
    qsizetype position;
    qsizetype length;
};

struct RangeCase {
    const char* name;
    std::vector<Edit> edits;
    qsizetype start;
    qsizetype end;
};

class TextChangeRangeTest : public ::testing::TestWithParam<RangeCase> {};

// The range must cover every character the edits touched, in the text as it
// is after them, so that a handler looking only there misses nothing.
TEST_P(TextChangeRangeTest, CoversWhatTheEditsTouched)
{
    TextChangeRange range;
    for (const Edit& e : GetParam().edits) {
        if (e.length >= 0)
            range.inserted(e.position, e.length);
        else
            range.deleted(e.position, -e.length);
    }
    ASSERT_TRUE(range.changed());
    EXPECT_EQ(range.start(), GetParam().start);
    EXPECT_EQ(range.end(), GetParam().end);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, TextChangeRangeTest,
    ::testing::Values(RangeCase{"OneInsertion", {{5, 3}}, 5, 8},
                      RangeCase{"TypingOnward", {{5, 1}, {6, 1}, {7, 1}}, 5, 8},
                      RangeCase{"InsertionBeforeMovesTheRange", {{10, 2}, {0, 4}}, 0, 16},
                      RangeCase{"InsertionAfterWidensIt", {{2, 2}, {20, 1}}, 2, 21},
                      RangeCase{"DeletionAlone", {{4, -3}}, 4, 4},
                      RangeCase{"BackspaceAfterTyping", {{5, 3}, {7, -1}}, 5, 7},
                      RangeCase{"DeletionBeforeTheRangePullsItBack", {{10, 2}, {0, -4}}, 0, 8},
                      RangeCase{"DeletionSwallowingTheRange", {{10, 2}, {8, -10}}, 8, 8},
                      RangeCase{"ReplaceWholeText", {{0, -50}, {0, 60}}, 0, 60}),
    [](const ::testing::TestParamInfo<RangeCase>& info) { return std::string(info.param.name); });

TEST(TextChangeRangeTest, ClearForgetsTheChanges)
{
    TextChangeRange range;
    range.inserted(3, 1);
    range.clear();
    EXPECT_FALSE(range.changed());
    range.inserted(9, 2);
    EXPECT_EQ(range.start(), 9);
    EXPECT_EQ(range.end(), 11);
}

}

namespace {

struct SpliceCase {
    const char* name;
    const char* before;
    const char* after;
    ByteSplice expected;
};

void PrintTo(const SpliceCase& c, std::ostream* os)
{
    *os << c.name;
}

class ByteSpliceTest : public ::testing::TestWithParam<SpliceCase> {};

// The stretch replaced turns the old text into the new one, and is no
// longer than the bytes that differ allow (widened only to whole characters
// and whole line breaks).
TEST_P(ByteSpliceTest, ReplacesOnlyWhatDiffers)
{
    const QByteArray before(GetParam().before);
    const QByteArray after(GetParam().after);
    const ByteSplice splice = byteSplice(before, after);
    EXPECT_EQ(before.left(splice.start) + after.mid(splice.start, splice.afterEnd - splice.start)
                  + before.mid(splice.beforeEnd),
              after);
    EXPECT_EQ(splice.start, GetParam().expected.start);
    EXPECT_EQ(splice.beforeEnd, GetParam().expected.beforeEnd);
    EXPECT_EQ(splice.afterEnd, GetParam().expected.afterEnd);
    EXPECT_EQ(splice.changes(), before != after);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ByteSpliceTest,
    ::testing::Values(
        SpliceCase{"same_text", "<p>abc</p>", "<p>abc</p>", {10, 10, 10}},
        SpliceCase{"one_character_typed", "<p>abc</p>", "<p>abxc</p>", {5, 5, 6}},
        SpliceCase{"one_character_deleted", "<p>abc</p>", "<p>ac</p>", {4, 5, 4}},
        // A doubled letter: the shared start and end may not both claim it.
        SpliceCase{"doubled_letter", "aa", "aaa", {2, 2, 3}},
        SpliceCase{"appended", "ab", "abcd", {2, 2, 4}},
        SpliceCase{"emptied", "ab", "", {0, 2, 0}},
        // "é" (C3 A9) becomes "è" (C3 A8): the shared C3 goes with it.
        SpliceCase{"accent_changed", "caf\xC3\xA9!", "caf\xC3\xA8!", {3, 5, 5}},
        SpliceCase{"emoji_changed", "a\xF0\x9F\x98\x80z", "a\xF0\x9F\x98\x81z", {1, 5, 5}},
        // A lone CR gains its LF: the break is replaced whole.
        SpliceCase{"line_break_completed", "a\rb", "a\r\nb", {1, 2, 3}},
        SpliceCase{"line_break_split", "a\r\nb", "a\rxb", {1, 3, 3}}),
    [](const ::testing::TestParamInfo<SpliceCase>& info) { return info.param.name; });

// A long text with one character changed in its middle: the stretch is that
// character, found past the blocks compared at once.
TEST(ByteSpliceLongTextTest, ChangeInTheMiddleOfALongText)
{
    QByteArray before(100000, 'x');
    QByteArray after = before;
    after[54321] = 'y';
    const ByteSplice splice = byteSplice(before, after);
    EXPECT_EQ(splice.start, 54321);
    EXPECT_EQ(splice.beforeEnd, 54322);
    EXPECT_EQ(splice.afterEnd, 54322);
}

}
