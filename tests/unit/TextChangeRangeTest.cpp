#include "markup/TextChangeRange.h"

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
