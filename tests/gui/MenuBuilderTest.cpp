#include "app/MenuTable.h"
#include "app/widgets/MenuBuilder.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

namespace {

class MenuBuilderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        menus = ink::buildMenus(window.menuBar(), [this](const QString& name) { dispatched << name; });
    }

    QMainWindow window;
    ink::BuiltMenus menus;
    QStringList dispatched;
};

TEST_F(MenuBuilderTest, everyTableItemBecomesAnActionLikeItsEntry)
{
    ASSERT_EQ(menus.actions.size(), static_cast<int>(ink::menuTable().size()));
    for (const ink::MenuEntry& e : ink::menuTable()) {
        const QString name = QString::fromLatin1(e.name);
        SCOPED_TRACE(e.name);
        QAction* a = menus.action(name);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->objectName(), name);
        EXPECT_EQ(a->isSeparator(), e.separator);
        if (!e.separator)
            EXPECT_EQ(a->text(), QString::fromUtf8(e.caption));
        EXPECT_EQ(a->shortcut().toString(QKeySequence::PortableText), QString::fromLatin1(e.shortcut));
        EXPECT_EQ(a->isCheckable(), e.checkable);
        EXPECT_EQ(a->isChecked(), e.checked);
        EXPECT_EQ(a->isVisible(), !e.hidden);
        EXPECT_EQ(menus.menu(name) != nullptr, ink::isSubmenu(name));
    }
}

TEST_F(MenuBuilderTest, itemsSitInTheirParentsInTableOrder)
{
    QStringList barItems;
    for (QAction* a : window.menuBar()->actions())
        barItems << a->objectName();
    EXPECT_EQ(barItems, ink::menuChildren(""));

    for (const QString& parent : {"text", "styleoptions", "dhp1table", "droppop"}) {
        QStringList inMenu;
        for (QAction* a : menus.menu(parent)->actions())
            inMenu << a->objectName();
        EXPECT_EQ(inMenu, ink::menuChildren(parent)) << parent.toStdString();
    }
}

TEST_F(MenuBuilderTest, leafItemsReachTheDispatcherByName)
{
    menus.action("bold")->trigger();
    menus.action("dhp1mergecells")->trigger();
    menus.action("orderedlist2")->trigger();
    menus.action("preview")->trigger();
    EXPECT_EQ(dispatched, (QStringList{"bold", "dhp1mergecells", "orderedlist2", "preview"}));
}

TEST_F(MenuBuilderTest, checkMarkIsAlreadyToggledWhenTheDispatcherRuns)
{
    bool checkedDuringDispatch = true;
    QAction* visible = menus.action("stvisible");
    QObject::connect(visible, &QAction::triggered, [&] { checkedDuringDispatch = visible->isChecked(); });
    visible->trigger();
    EXPECT_FALSE(checkedDuringDispatch);
    EXPECT_EQ(dispatched, QStringList{"stvisible"});
}

TEST_F(MenuBuilderTest, disablingASubmenuItemDisablesTheWholeMenu)
{
    menus.setItemEnabled("css", false);
    EXPECT_FALSE(menus.menu("css")->isEnabled());
    EXPECT_FALSE(menus.action("css")->isEnabled());
    menus.setItemEnabled("css", true);
    EXPECT_TRUE(menus.action("css")->isEnabled());
    menus.setItemEnabled("findnext", false);
    EXPECT_FALSE(menus.action("findnext")->isEnabled());
}

TEST_F(MenuBuilderTest, shortcutTextsBecomeRealKeys)
{
    EXPECT_EQ(menus.action("new")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    EXPECT_EQ(menus.action("helpcontents")->shortcut(), QKeySequence(Qt::Key_F1));
}

}
