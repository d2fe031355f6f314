#include "app/widgets/ToolIcons.h"
#include "app/widgets/ToolStrip.h"
#include "base/widgets/Icons.h"
#include "MainWindowFixture.h"

#include <QImage>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

namespace {

using ink::ToolStrip;
using inktest::MainWindowTest;

// True when the icon paints something visible at `size` logical pixels and
// `scale` device pixels per pixel; a null pixmap or a blank one (an SVG
// without the engine to draw it) fails.
bool paintsAt(const QIcon& icon, int size, qreal scale)
{
    const QPixmap pixmap = icon.pixmap(QSize(size, size), scale);
    if (pixmap.isNull())
        return false;
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 0)
                return true;
        }
    }
    return false;
}

struct StripCase {
    const char* name;
    ToolStrip* (*create)(const ink::ToolDispatcher&, const ink::StripWidgetFactories&, QWidget*);
    int buttons; // how many buttons the user sees on the strip
};

const StripCase strips[] = {
    {"standard", &ink::createStandardStrip, 14},
    {"formatting", &ink::createFormattingStrip, 13},
};

// Every button of both strips, found by walking the widgets rather than the
// tables, so that a button added without an icon shows up here.
TEST(ToolIcons, everyStripButtonHasAnIconAndKeepsItsCaption)
{
    for (const StripCase& c : strips) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<ToolStrip> strip(c.create({}, {}, nullptr));
        int seen = 0;
        for (QToolButton* button : strip->findChildren<QToolButton*>()) {
            if (!button->defaultAction())
                continue; // the tool bars' own overflow buttons
            ++seen;
            auto* bar = qobject_cast<QToolBar*>(button->parentWidget());
            ASSERT_NE(bar, nullptr);
            SCOPED_TRACE((bar->objectName() + "/" + button->objectName()).toStdString());
            EXPECT_FALSE(button->icon().isNull());
            EXPECT_TRUE(paintsAt(button->icon(), 24, 1.0));
            EXPECT_FALSE(button->toolTip().isEmpty());
            EXPECT_EQ(button->accessibleName(), button->toolTip());
            EXPECT_EQ(button->icon().cacheKey(), button->defaultAction()->icon().cacheKey());
        }
        EXPECT_EQ(seen, c.buttons);
    }
}

// At 200 % the icons are drawn from sources big enough to stay sharp.
TEST(ToolIcons, iconsStayCrispAtDoubleScale)
{
    const struct { const char* toolbar; const char* key; } buttons[] = {
        {"Toolbar1", "new"},   {"Toolbar4", "bold"},       {"Toolbar6", "center"},
        {"Toolbar9", "tab"},   {"Toolbar11", "link"},      {"Toolbar13", "link"},
        {"Toolbar8", "undock"}, {"Toolbar9", "breakline"}, {"Toolbar12", "horizontalrule"},
        {"Toolbar12", "bullets"}, {"Toolbar7", "range"},
    };
    for (const auto& b : buttons) {
        SCOPED_TRACE(std::string(b.toolbar) + "/" + b.key);
        const QIcon icon = ink::toolButtonIcon(b.toolbar, b.key);
        const QPixmap pixmap = icon.pixmap(QSize(24, 24), 2.0);
        EXPECT_GE(pixmap.width(), 48);
        EXPECT_TRUE(paintsAt(icon, 24, 2.0));
    }
}

TEST(ToolIcons, unknownButtonsAndNamesGiveNullIcons)
{
    const struct { const char* toolbar; const char* key; } unknown[] = {
        {"Toolbar1", "nosuch"}, {"", ""}, {"Toolbar99", "new"}, {"Toolbar4", "new"},
    };
    for (const auto& u : unknown) {
        SCOPED_TRACE(std::string(u.toolbar) + "/" + u.key);
        EXPECT_TRUE(ink::toolButtonIcon(u.toolbar, u.key).isNull());
    }
    EXPECT_TRUE(ink::drawnIcon("nosuch").isNull());
    EXPECT_TRUE(ink::drawnIcon("").isNull());
    EXPECT_TRUE(ink::drawnIcon("../inkpress").isNull());
    // A theme name the theme lacks falls through to the drawn icon.
    EXPECT_TRUE(paintsAt(ink::themeOrDrawnIcon("no-such-theme-icon", "undock"), 24, 1.0));
}

TEST_F(MainWindowTest, mainAndDocumentWindowsCarryTheProgramIcon)
{
    EXPECT_TRUE(paintsAt(ink::programIcon(), 48, 1.0));
    // The test run sets no application icon: the window sets its own.
    EXPECT_TRUE(paintsAt(main->windowIcon(), 32, 1.0));
    ink::DocumentWindow* page = newPage();
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(paintsAt(page->windowIcon(), 16, 1.0));
}

}
