// The colour combo as every host sees it: its list, the texts a host writes,
// which changes raise `click`, and the colour text of a pick.
#include "colourfont/widgets/ColorComboControl.h"
#include "colourfont/widgets/ColourDialog.h"
#include "GuiTestSupport.h"

#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace ink;

namespace {

class ColourCombo : public ::testing::Test {
protected:
    ColorComboControl control;
    QSignalSpy clicks{&control, &ColorComboControl::click};

    void TearDown() override { setColourTestResponder(nullptr); }
};

TEST_F(ColourCombo, ListsTheSixteenNamesThenCustomAndStartsAtBlack)
{
    QComboBox* combo = control.combo();
    ASSERT_EQ(combo->count(), 17);
    EXPECT_EQ(combo->itemText(0), "Black");
    EXPECT_EQ(combo->itemText(1), "Maroon");
    EXPECT_EQ(combo->itemText(15), "White");
    EXPECT_EQ(combo->itemText(16), "Custom...");
    EXPECT_EQ(control.Color(), "Black");
    EXPECT_EQ(control.comboitem(), 1);
    EXPECT_EQ(control.accessibleName(), "Color");
    // Swatch images: Teal is drawn lighter; Custom shows Black's swatch.
    EXPECT_EQ(combo->itemIcon(6).pixmap(16, 12).toImage().pixelColor(8, 6), QColor(0x40, 0x80, 0x80));
    EXPECT_EQ(combo->itemIcon(16).pixmap(16, 12).toImage().pixelColor(8, 6), QColor(0, 0, 0));
}

struct HostWrite {
    const char* name;
    std::function<void(ColorComboControl&)> write;
    const char* color;
    int item;
};

class ColourComboHostWrites : public ColourCombo, public ::testing::WithParamInterface<HostWrite> {};

// Showing a value never applies it: no write raises `click`.
TEST_P(ColourComboHostWrites, ShowTheTextWithoutClick)
{
    GetParam().write(control);
    EXPECT_EQ(control.Color(), QString::fromLatin1(GetParam().color));
    EXPECT_EQ(control.comboitem(), GetParam().item);
    EXPECT_EQ(clicks.count(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Writes, ColourComboHostWrites,
    ::testing::Values(
        HostWrite{"ColorSilver", [](ColorComboControl& c) { c.setColor("Silver"); }, "Silver", 9},
        HostWrite{"ColorCustom", [](ColorComboControl& c) { c.setColor("Custom..."); }, "Custom...", 17},
        HostWrite{"ColorOwnText", [](ColorComboControl& c) { c.setColor("Sky"); }, "Sky", 0},
        HostWrite{"ColorIsCaseSensitive", [](ColorComboControl& c) { c.setColor("red"); }, "red", 0},
        HostWrite{"ItemTwo", [](ColorComboControl& c) { c.setComboitem(2); }, "Maroon", 2},
        HostWrite{"ItemCustom", [](ColorComboControl& c) { c.setComboitem(17); }, "Custom...", 17},
        HostWrite{"ItemAfterOwnText",
                  [](ColorComboControl& c) {
                      c.setColor("Sky");
                      c.setComboitem(10);
                  },
                  "Red", 10},
        HostWrite{"ItemOutOfRangeKeepsThePick",
                  [](ColorComboControl& c) {
                      c.setComboitem(3);
                      c.setComboitem(18);
                      c.setComboitem(0);
                  },
                  "Green", 3}),
    [](const ::testing::TestParamInfo<HostWrite>& info) { return std::string(info.param.name); });

TEST_F(ColourCombo, EveryUserPickClicksAlsoTheSameItemAgain)
{
    QComboBox* combo = control.combo();
    control.show();
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(control.Color(), "Maroon");
    EXPECT_EQ(clicks.count(), 1);
    emit combo->activated(combo->currentIndex());
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_EQ(control.Color(), "Maroon");
}

struct PickCase {
    const char* name;
    const char* shown;
    ColourForm form;
    std::optional<ColourValue> dialogAnswer;
    std::optional<QString> text;
};

class ColourComboPicks : public ColourCombo, public ::testing::WithParamInterface<PickCase> {};

TEST_P(ColourComboPicks, GiveTheColourTextOfTheForm)
{
    int dialogs = 0;
    setColourTestResponder([&](ColourValue) {
        ++dialogs;
        return GetParam().dialogAnswer;
    });
    control.setColor(QString::fromLatin1(GetParam().shown));
    EXPECT_EQ(control.chosenColourText(GetParam().form), GetParam().text);
    EXPECT_EQ(dialogs, control.Color() == "Custom..." ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Picks, ColourComboPicks,
    ::testing::Values(
        PickCase{"MaroonInTheMainWindow", "Maroon", ColourForm::MainWindow, {}, QString("#800000")},
        PickCase{"MaroonInADialogKeepsTheBlank", "Maroon", ColourForm::Dialog, {}, QString(" #800000")},
        PickCase{"SilverInADialog", "Silver", ColourForm::Dialog, {}, QString("#c0c0c0")},
        PickCase{"CustomChosen", "Custom...", ColourForm::Dialog, ColourValue(0x0A0B0C), QString("#0c0b0a")},
        PickCase{"CustomCancelled", "Custom...", ColourForm::MainWindow, std::nullopt, std::nullopt},
        PickCase{"OwnTextNamesNoColour", "Sky", ColourForm::MainWindow, {}, std::nullopt}),
    [](const ::testing::TestParamInfo<PickCase>& info) { return std::string(info.param.name); });

// The real colour dialog: closing it with Cancel gives nothing.
TEST_F(ColourCombo, CancellingTheRealColourDialogGivesNothing)
{
    control.setComboitem(17);
    control.show();
    bool sawDialog = false;
    QTimer::singleShot(300, [&] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        sawDialog = dialog != nullptr;
        if (dialog)
            dialog->reject();
    });
    EXPECT_EQ(control.chosenColourText(ColourForm::MainWindow), std::nullopt);
    EXPECT_TRUE(sawDialog);
    EXPECT_EQ(control.Color(), "Custom...");
}

}
