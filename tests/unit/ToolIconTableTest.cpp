#include "app/ToolIconTable.h"
#include "app/ToolbarTable.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace ink;

namespace {

QSet<QString> buttonsOf(const ToolStripEntry& strip)
{
    QSet<QString> keys;
    for (const ToolBandEntry& band : strip.bands) {
        for (const ToolButtonEntry& b : band.buttons)
            keys << QString("%1/%2").arg(band.name, b.key);
        for (const ToolButtonEntry& b : band.innerButtons)
            keys << QString("%1/%2").arg(band.innerToolBar, b.key);
    }
    return keys;
}

}

// The icon table and the tool bar tables name the same buttons: a button
// added to a strip without a picture, or a picture left for a button that is
// gone, fails here.
TEST(ToolIconTable, NamesExactlyTheButtonsOfTheStrips)
{
    const QSet<QString> buttons = buttonsOf(standardStrip()) + buttonsOf(formattingStrip());
    QSet<QString> icons;
    for (const ToolIconEntry& e : toolIconTable()) {
        const QString key = QString("%1/%2").arg(e.toolbar, e.key);
        EXPECT_FALSE(icons.contains(key)) << key.toStdString() << " twice";
        icons << key;
        EXPECT_TRUE(*e.themeNames || *e.drawn) << key.toStdString() << " has no picture";
    }
    EXPECT_EQ(icons, buttons);
}
