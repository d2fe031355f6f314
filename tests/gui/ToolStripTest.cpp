#include "app/widgets/ToolStrip.h"
#include "colourfont/widgets/FontComboControl.h"
#include "GuiTestSupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QSlider>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

namespace {

using ink::ToolStrip;

struct Button {
    const char* toolbar;
    const char* key;
    const char* toolTip;
};

// The buttons as the user meets them, written out independently of the table.
const Button standardButtons[] = {
    {"Toolbar1", "new", "New Page"},        {"Toolbar1", "open", "Open Page"},
    {"Toolbar1", "save", "Save Page"},      {"Toolbar10", "preview", "Print Preview"},
    {"Toolbar10", "print", "Print"},        {"Toolbar10", "refresh", "Refresh"},
    {"Toolbar2", "cut", "Cut"},             {"Toolbar2", "copy", "Copy"},
    {"Toolbar2", "paste", "Paste"},         {"Toolbar2", "undo", "Undo"},
    {"Toolbar11", "link", "Link"},          {"Toolbar13", "link", "Image"},
    {"Toolbar8", "browser", "Preview in Browser"}, {"Toolbar8", "undock", "Undock"},
};

const Button formattingButtons[] = {
    {"Toolbar4", "bold", "Bold"},           {"Toolbar4", "italic", "Italic"},
    {"Toolbar4", "underline", "Underline"}, {"Toolbar6", "left", "Left"},
    {"Toolbar6", "center", "Center"},       {"Toolbar6", "right", "Right"},
    {"Toolbar9", "tab", "Indent"},          {"Toolbar9", "outdent", "Outdent"},
    {"Toolbar9", "breakline", "Break Line"}, {"Toolbar12", "horizontalrule", "Horizontal Rule"},
    {"Toolbar12", "bullets", "List"},       {"Toolbar12", "undock", "Undock"},
};

class ToolStripTest : public ::testing::Test {
protected:
    ink::ToolDispatcher recorder()
    {
        return [this](const QString& toolbar, const QString& key) { clicks << toolbar + "/" + key; };
    }
    QStringList clicks;
};

QStringList bandNames(const ToolStrip& strip)
{
    QStringList names;
    for (int n = 1; n <= strip.bandCount(); ++n)
        names << strip.bandName(n);
    return names;
}

template <size_t N>
void expectButtons(ToolStrip& strip, const Button (&buttons)[N], QStringList& clicks)
{
    for (const Button& b : buttons) {
        SCOPED_TRACE(std::string(b.toolbar) + "/" + b.key);
        QToolButton* button = strip.button(b.toolbar, b.key);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(b.toolTip));
        EXPECT_EQ(button->accessibleName(), QString::fromUtf8(b.toolTip));
        clicks.clear();
        button->click();
        EXPECT_EQ(clicks, QStringList{QString("%1/%2").arg(b.toolbar, b.key)});
    }
}

TEST_F(ToolStripTest, standardStripHasItsBandsAndButtons)
{
    std::unique_ptr<ToolStrip> strip(ink::createStandardStrip(recorder()));
    EXPECT_EQ(strip->objectName(), "b");
    EXPECT_EQ(bandNames(*strip), (QStringList{"Toolbar1", "Toolbar10", "Toolbar2", "Toolbar11",
                                              "Toolbar13", "Toolbar8"}));
    expectButtons(*strip, standardButtons, clicks);
    EXPECT_NE(strip->namedWidget("Combo2"), nullptr);
    EXPECT_NE(strip->namedWidget("Combo3"), nullptr);
}

TEST_F(ToolStripTest, formattingStripHasItsBandsAndButtons)
{
    std::unique_ptr<ToolStrip> strip(ink::createFormattingStrip(recorder()));
    EXPECT_EQ(strip->objectName(), "CoolBar2");
    EXPECT_EQ(bandNames(*strip), (QStringList{"FontComboControl1", "ColorComboControl1", "Toolbar3",
                                              "Toolbar4", "Toolbar6", "Toolbar9", "Toolbar12"}));
    expectButtons(*strip, formattingButtons, clicks);
    EXPECT_NE(qobject_cast<ink::FontComboControl*>(strip->namedWidget("FontComboControl1")), nullptr);
}

TEST_F(ToolStripTest, sizeControlsStartAtThree)
{
    std::unique_ptr<ToolStrip> strip(ink::createFormattingStrip(recorder()));
    auto* combo = qobject_cast<QComboBox*>(strip->namedWidget("Combo1"));
    auto* slider = qobject_cast<QSlider*>(strip->namedWidget("Slider1"));
    ASSERT_TRUE(combo && slider);
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    EXPECT_EQ(items, (QStringList{"1", "2", "3", "4", "5", "6", "7"}));
    EXPECT_TRUE(combo->isEditable());
    EXPECT_EQ(slider->orientation(), Qt::Horizontal);
    EXPECT_EQ(slider->minimum(), 1);
    EXPECT_EQ(slider->maximum(), 7);
    EXPECT_EQ(slider->value(), 3);
}

TEST_F(ToolStripTest, rangeMenuReportsItsKeysUnderToolbar7)
{
    std::unique_ptr<ToolStrip> strip(ink::createFormattingStrip(recorder()));
    QToolButton* range = strip->button("Toolbar7", "range");
    ASSERT_NE(range, nullptr);
    ASSERT_NE(range->menu(), nullptr);
    QStringList keys;
    for (QAction* a : range->menu()->actions()) {
        keys << a->objectName();
        a->trigger();
    }
    EXPECT_EQ(keys, (QStringList{"standard", "ptsize", "ten", "hundred", "thousand"}));
    range->click();
    EXPECT_EQ(clicks, (QStringList{"Toolbar7/standard", "Toolbar7/ptsize", "Toolbar7/ten",
                                   "Toolbar7/hundred", "Toolbar7/thousand", "Toolbar7/range"}));
}

TEST_F(ToolStripTest, bandsHideOneByOne)
{
    std::unique_ptr<ToolStrip> strip(ink::createStandardStrip(recorder()));
    strip->show();
    strip->setBandVisible(3, false);
    EXPECT_FALSE(strip->isBandVisible(3));
    // The tool bar lays its widgets out again on its next event.
    EXPECT_TRUE(inktest::waitUntil([&] { return !strip->band(3)->isVisible(); }, 2000));
    EXPECT_TRUE(strip->isBandVisible(2));
    EXPECT_TRUE(strip->band(4)->isVisible());
    strip->setBandVisible(3, true);
    EXPECT_TRUE(inktest::waitUntil([&] { return strip->band(3)->isVisible(); }, 2000));
    strip->setBandVisible(9, false); // no such band: ignored
    EXPECT_FALSE(strip->isBandVisible(0));
}

TEST_F(ToolStripTest, hooksProvideTheSharedWidgetsAndListMenuIsAttached)
{
    QMenu droppop; // outlives the strip that shows it
    ink::StripWidgetFactories hooks;
    hooks.fontCombo = [](QWidget* parent) { return new QLineEdit("Arial", parent); };
    std::unique_ptr<ToolStrip> strip(ink::createFormattingStrip(recorder(), hooks));
    auto* font = qobject_cast<QLineEdit*>(strip->namedWidget("FontComboControl1"));
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->text(), "Arial");
    EXPECT_EQ(strip->band(1), font);

    strip->setButtonMenu("Toolbar12", "bullets", &droppop);
    EXPECT_EQ(strip->button("Toolbar12", "bullets")->menu(), &droppop);
    EXPECT_EQ(strip->button("Toolbar12", "bullets")->popupMode(), QToolButton::MenuButtonPopup);
}

}
