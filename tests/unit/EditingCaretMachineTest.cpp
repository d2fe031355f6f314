#include "EditingMarkers.h"
#include "editing/CaretMachine.h"

#include <gtest/gtest.h>

using namespace ink;
using inktest::marked;
using inktest::marks;

namespace {

struct KeyCase {
    const char* name;
    const char* before;
    KeySequence keys;
    const char* after;
};

void PrintTo(const KeyCase& c, std::ostream* os)
{
    *os << c.name;
}

class EditingCaretMachineTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(EditingCaretMachineTest, AppliesKeys)
{
    CodeText code = marked(QString::fromUtf8(GetParam().before));
    applyKeys(code, GetParam().keys);
    EXPECT_EQ(marks(code).toStdString(), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, EditingCaretMachineTest,
    ::testing::Values(
        KeyCase{"RightCollapsesForwardSelectionToItsEnd", "a^bc|d", {Key::Right}, "abc|d"},
        KeyCase{"RightCollapsesBackwardSelectionToItsEnd", "a|bc^d", {Key::Right}, "abc|d"},
        KeyCase{"RightMovesOneWithoutSelection", "a|bc", {Key::Right}, "ab|c"},
        KeyCase{"RightStopsAtTheEnd", "ab|", {Key::Right}, "ab|"},
        KeyCase{"LeftCollapsesAtTheCaretAndMoves", "a^bc|d", {Key::Left}, "ab|cd"},
        KeyCase{"LeftStopsAtTheStart", "|ab", {Key::Left}, "|ab"},
        KeyCase{"ShiftLeftExtendsBackwards", "abc|", {Key::ShiftLeft, Key::ShiftLeft}, "a|bc^"},
        KeyCase{"ShiftLeftShrinksAForwardSelection", "^abc|", {Key::ShiftLeft}, "^ab|c"},
        KeyCase{"ShiftRightExtendsForwards", "|abc", {Key::ShiftRight, Key::ShiftRight}, "^ab|c"},
        KeyCase{"CrLfCountsAsTwoCharacters", "a\r\n|b", {Key::Left, Key::Left}, "a|\r\nb"},
        KeyCase{"ShiftLeftCountsCrLfAsTwo", "a\r\nb|", {Key::ShiftLeft, Key::ShiftLeft}, "a\r|\nb^"},
        KeyCase{"CtrlHomeThenShiftCtrlEndSelectsAll", "ab|c", {Key::CtrlHome, Key::ShiftCtrlEnd}, "^abc|"},
        KeyCase{"UpKeepsTheColumn", "abc\r\nde|f", {Key::Up}, "ab|c\r\ndef"},
        KeyCase{"UpStopsAtTheEndOfAShorterLine", "a\r\nbcd|", {Key::Up}, "a|\r\nbcd"},
        KeyCase{"UpOnTheFirstLineStays", "ab|c", {Key::Up}, "ab|c"},
        KeyCase{"HomeGoesToTheLineStart", "ab\r\ncd|e", {Key::Home}, "ab\r\n|cde"},
        KeyCase{"TabLeavesTheSourceAlone", "a^b|", {Key::Tab}, "a^b|"}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

TEST(EditingCaretMachine, ReplacementEndsSelectedFromItsStart)
{
    CodeText code = marked(QStringLiteral("a|bc^d"));
    replaceSelection(code, QStringLiteral("XYZ"));
    EXPECT_EQ(marks(code).toStdString(), "a^XYZ|d");
}

TEST(EditingCaretMachine, ReplacingNothingInsertsAtTheCaret)
{
    CodeText code = marked(QStringLiteral("ab|"));
    replaceSelection(code, QStringLiteral("<hr>"));
    EXPECT_EQ(marks(code).toStdString(), "ab^<hr>|");
}

}
