// The main window's menus, edit commands, clip ring, docking switches,
// window arrangement and what survives a restart.
#include "MainWindowFixture.h"
#include "base/Twips.h"
#include "app/widgets/SidePanel.h"
#include "app/widgets/ToolStrip.h"
#include "document/DocumentRoutines.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTimer>

using namespace inktest;

class MainMenus : public MainWindowTest {
protected:
    ink::DocumentWindow* codePage(const QString& text)
    {
        ink::DocumentWindow* w = newPage();
        w->switchToCode();
        w->code()->setText(text);
        return w;
    }

    void trigger(const QString& name)
    {
        QAction* a = main->action(name);
        ASSERT_NE(a, nullptr) << name.toStdString();
        a->trigger();
    }
};

TEST_F(MainMenus, DesignViewDisablesStyleAndReplaceDoesNothing)
{
    ink::DocumentWindow* w = newPage();
    main->periodicUpdate();
    EXPECT_FALSE(main->menu("css")->isEnabled());
    EXPECT_FALSE(main->action("replace")->isEnabled());
    EXPECT_FALSE(main->action("comment")->isEnabled());
    EXPECT_TRUE(main->action("removeformat")->isEnabled());
    main->runCommand("replace");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    w->switchToCode();
    main->periodicUpdate();
    EXPECT_TRUE(main->menu("css")->isEnabled());
    EXPECT_TRUE(main->action("findnext")->isEnabled());
    EXPECT_FALSE(main->action("outdent")->isEnabled());
    EXPECT_FALSE(main->action("removeformat")->isEnabled());
}

TEST_F(MainMenus, SelectAllInCodeSelectsTheWholeText)
{
    ink::DocumentWindow* w = codePage("line one\r\nline two");
    w->code()->setSelection(3, 3);
    trigger("selectall");
    EXPECT_EQ(w->code()->selectedText(), "line one\r\nline two");
}

TEST_F(MainMenus, CopyElevenTimesWrapsTheClipRing)
{
    ink::DocumentWindow* w = codePage("abcdefghijklmnop");
    std::vector<int> used;
    for (int i = 0; i < 11; ++i) {
        w->code()->setSelection(i, i + 1);
        trigger("copy");
        used.push_back(main->clipRing().clipRingNext() == 0 ? 10 : main->clipRing().clipRingNext());
    }
    EXPECT_EQ(used, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1}));
    EXPECT_EQ(main->clipRing().clip(1), "k");
    EXPECT_EQ(main->clipRing().clip(10), "j");
    EXPECT_EQ(QApplication::clipboard()->text(), "k");
}

TEST_F(MainMenus, CutInCodeRemovesAndStoresTheSelection)
{
    ink::DocumentWindow* w = codePage("keep CUT keep");
    w->code()->setSelection(5, 8);
    trigger("cut");
    EXPECT_EQ(w->code()->text(), "keep  keep");
    EXPECT_EQ(main->clipRing().clip(1), "CUT");
    w->code()->setSelection(0, 0);
    trigger("paste");
    EXPECT_EQ(w->code()->text(), "CUTkeep  keep");
}

TEST_F(MainMenus, CopyInDesignLeavesTheClipRingAlone)
{
    ink::DocumentWindow* w = newPage();
    w->design()->execCommand(ink::DesignCmd::SelectAll);
    trigger("copy");
    EXPECT_EQ(main->clipRing().clipRingNext(), 0);
    EXPECT_TRUE(main->clipRing().clip(1).isEmpty());
}

TEST_F(MainMenus, VisibleOfTheStandardPairHidesTheStripAndUnchecksDocked)
{
    ASSERT_TRUE(main->action("stvisible")->isChecked());
    ASSERT_TRUE(main->action("stdocked")->isChecked());
    trigger("stvisible");
    EXPECT_FALSE(main->action("stvisible")->isChecked());
    EXPECT_FALSE(main->action("stdocked")->isChecked());
    EXPECT_TRUE(main->standardStrip()->isHidden());
    trigger("stdocked");
    EXPECT_TRUE(main->action("stvisible")->isChecked());
    EXPECT_TRUE(main->action("stdocked")->isChecked());
    EXPECT_FALSE(main->standardStrip()->isHidden());
}

TEST_F(MainMenus, TileAndCascadeArrangeTheWindows)
{
    newPage();
    newPage();
    const QList<QMdiSubWindow*> subs = main->mdiArea()->subWindowList();
    ASSERT_EQ(subs.size(), 2);
    const int width = main->mdiArea()->viewport()->width();
    trigger("tilev");
    EXPECT_EQ(subs[0]->geometry().top(), subs[1]->geometry().top());
    EXPECT_NEAR(subs[0]->width(), width / 2, 2);
    trigger("tileh");
    EXPECT_EQ(subs[0]->geometry().left(), subs[1]->geometry().left());
    EXPECT_NEAR(subs[0]->width(), width, 2);
    trigger("cascade");
    EXPECT_NE(subs[0]->geometry().topLeft(), subs[1]->geometry().topLeft());
}

TEST_F(MainMenus, RightClickInCodePopsUpTheEditMenu)
{
    ink::DocumentWindow* w = codePage("x");
    emit w->code()->mousePressed(Qt::RightButton, QPoint(100, 100));
    EXPECT_TRUE(waitUntil([this] { return main->menu("edit")->isVisible(); }, 2000));
    main->menu("edit")->close();
    emit w->design()->contextMenuRequested(QPoint(120, 120));
    EXPECT_TRUE(waitUntil([this] { return main->menu("dhtmlpop1")->isVisible(); }, 2000));
    main->menu("dhtmlpop1")->close();
}

TEST_F(MainMenus, ChecksPlacementAndBoxesComeBackAfterARestart)
{
    ink::DocumentWindow* w = newPage();
    // Class Apply checks Brackets; unchecking Brackets afterwards keeps Class Apply.
    trigger("classapply");
    trigger("insertbrackets");
    trigger("fovisible");
    w->findChild<QCheckBox*>("Check1")->click();
    main->sidePanel()->setPanelWidthTwips(4500);
    main->setGeometry(40, 50, 1200, 800);
    pump(50);
    ASSERT_TRUE(closeMain());

    startMain();
    EXPECT_FALSE(main->action("insertbrackets")->isChecked());
    EXPECT_TRUE(main->action("classapply")->isChecked());
    EXPECT_FALSE(main->action("fovisible")->isChecked());
    EXPECT_TRUE(main->formattingStrip()->isHidden());
    EXPECT_EQ(main->sidePanel()->panelWidthTwips(), 4500);
    EXPECT_EQ(main->width(), 1200);
    ink::DocumentWindow* again = newPage();
    EXPECT_FALSE(again->findChild<QCheckBox*>("Check1")->isChecked());
    EXPECT_TRUE(again->findChild<QCheckBox*>("Check2")->isChecked());
}

TEST_F(MainMenus, NoSettingsGivesTheDesignedStart)
{
    EXPECT_TRUE(main->action("insertbrackets")->isChecked());
    EXPECT_FALSE(main->action("styleequals")->isChecked());
    EXPECT_TRUE(main->action("tagapply")->isChecked());
    EXPECT_TRUE(main->action("stdocked")->isChecked());
    EXPECT_FALSE(main->standardStrip()->isHidden());
    EXPECT_FALSE(main->formattingStrip()->isHidden());
    EXPECT_EQ(main->mdiArea()->subWindowList().size(), 0);
}

TEST_F(MainMenus, FindInDesignAsksForTheTextAndInCodeOpensTheEditorsDialog)
{
    ink::DocumentWindow* w = newPage();
    QString seenTitle;
    QTimer::singleShot(300, [&seenTitle] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            seenTitle = modal->windowTitle();
            modal->close();
        }
    });
    trigger("find");
    EXPECT_EQ(seenTitle, "Find");

    w->switchToCode();
    trigger("find");
    EXPECT_TRUE(waitUntil([w] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->isVisible() && top->windowTitle() == "Find")
                return true;
        return false;
    }, 2000));
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->windowTitle() == "Find")
            top->close();
}

TEST_F(MainMenus, TableMenuEditsTheDesignTableAtTheCaret)
{
    ink::DocumentWindow* w = codePageWithBody(
        "<TABLE><TR><TD>a</TD><TD>b</TD></TR><TR><TD>c</TD><TD>d</TD></TR></TABLE>");
    w->switchToDesign();
    waitIdle(w);
    w->design()->setFocus();
    w->design()->applyKeys({ink::Key::CtrlHome, ink::Key::Right});
    trigger("insertrow");
    EXPECT_EQ(w->design()->bodyInnerHtml().count("<TR>"), 3) << w->design()->bodyInnerHtml().toStdString();
    trigger("deletecolumn");
    EXPECT_EQ(w->design()->bodyInnerHtml().count("<TD"), 3) << w->design()->bodyInnerHtml().toStdString();
}
