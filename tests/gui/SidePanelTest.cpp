#include "base/Twips.h"
#include "app/widgets/FolderFileList.h"
#include "app/widgets/SidePanel.h"
#include "app/widgets/SideTabList.h"
#include "app/widgets/SplitterBar.h"
#include "GuiTestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using ink::SidePanel;

// A window 1600 pixels wide with the panel at its right edge.
class SidePanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host.setObjectName("MDIForm1");
        auto* layout = new QHBoxLayout(&host);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addStretch(1);
        panel = new SidePanel;
        layout->addWidget(panel);
        host.setGeometry(100, 100, 1600, 900);
        host.show();
        ASSERT_TRUE(inktest::waitUntil([&] { return panel->isVisible() && panel->height() > 800; }));
    }

    void mouse(QEvent::Type type, int x, Qt::MouseButtons held)
    {
        QWidget* bar = panel->splitterBar();
        const QPointF local(x, 100);
        QMouseEvent event(type, local, bar->mapToGlobal(local), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(bar, &event);
    }

    void drag(int releaseX)
    {
        mouse(QEvent::MouseButtonPress, 3, Qt::LeftButton);
        mouse(QEvent::MouseMove, releaseX / 2, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, releaseX, Qt::NoButton);
    }

    QWidget host;
    SidePanel* panel = nullptr;
};

TEST_F(SidePanelTest, fiveTabsCaptionedInOrder)
{
    QTabWidget* tabs = panel->tabs();
    EXPECT_EQ(tabs->objectName(), "SSTab1");
    QStringList captions;
    for (int i = 0; i < tabs->count(); ++i)
        captions << tabs->tabText(i);
    EXPECT_EQ(captions, (QStringList{"Colorcube", "Fontcube", "Tablecube", "Drag 'N' Dropcube",
                                     "Vurazuredav"}));
    for (const char* name : {"Picture1", "Picture3", "Picture4", "Picture5", "TabStrip1", "TabStrip2",
                             "File1", "File2", "frmdragbar", "VScroll1"}) {
        QWidget* w = name == QString("Picture1") ? panel : panel->findChild<QWidget*>(name);
        ASSERT_NE(w, nullptr) << name;
        EXPECT_FALSE(w->accessibleName().isEmpty()) << name;
    }
}

TEST_F(SidePanelTest, defaultWidthIsTheDesignedOne)
{
    EXPECT_DOUBLE_EQ(panel->panelWidthTwips(), SidePanel::DefaultWidthTwips);
    EXPECT_EQ(panel->width(), ink::twipsToPixels(SidePanel::SplitterWidthTwips)
                                  + ink::twipsToPixels(SidePanel::DefaultWidthTwips));
}

TEST_F(SidePanelTest, releasing1000TwipsLeftOfTheBarWidensBy1050)
{
    // 1005 twips is 67 pixels; the panel widens by that plus 50 twips.
    mouse(QEvent::MouseButtonPress, 3, Qt::LeftButton);
    EXPECT_TRUE(panel->isDraggingSplitter());
    EXPECT_TRUE(panel->dragBar()->isVisible());
    mouse(QEvent::MouseMove, -67, Qt::LeftButton);
    const int expectedLeft = ink::twipsToPixels(ink::pixelsToTwips(host.frameGeometry().left())
                                                + ink::pixelsToTwips(host.frameGeometry().width())
                                                - SidePanel::DefaultWidthTwips - SidePanel::SplitterWidthTwips - 1005);
    EXPECT_EQ(panel->dragBar()->x(), expectedLeft);
    EXPECT_GT(panel->dragBar()->scrollBar()->height(), panel->dragBar()->height());
    mouse(QEvent::MouseButtonRelease, -67, Qt::NoButton);

    EXPECT_DOUBLE_EQ(panel->panelWidthTwips(), SidePanel::DefaultWidthTwips + 1005 + 50);
    EXPECT_FALSE(panel->isDraggingSplitter());
    EXPECT_FALSE(panel->dragBar()->isVisible());
    EXPECT_EQ(panel->width(), ink::twipsToPixels(SidePanel::SplitterWidthTwips)
                                  + ink::twipsToPixels(SidePanel::DefaultWidthTwips + 1005 + 50));
}

TEST_F(SidePanelTest, releasingFarLeftStopsAtTheWindowWidthLess50)
{
    drag(-3000);
    EXPECT_DOUBLE_EQ(panel->panelWidthTwips(), ink::pixelsToTwips(host.frameGeometry().width()) - 50);
}

TEST_F(SidePanelTest, releasingRightNarrowsButNeverBelow75)
{
    drag(100);
    EXPECT_DOUBLE_EQ(panel->panelWidthTwips(), SidePanel::DefaultWidthTwips - 1500 + 50);
    drag(ink::twipsToPixels(panel->panelWidthTwips()));
    EXPECT_DOUBLE_EQ(panel->panelWidthTwips(), 75);
}

TEST_F(SidePanelTest, movesWithoutAPressAreIgnored)
{
    mouse(QEvent::MouseMove, -200, Qt::NoButton);
    mouse(QEvent::MouseButtonRelease, -200, Qt::NoButton);
    EXPECT_DOUBLE_EQ(panel->panelWidthTwips(), SidePanel::DefaultWidthTwips);
    EXPECT_FALSE(panel->dragBar()->isVisible());
}

TEST_F(SidePanelTest, narrowPanelKeepsTheTabContainerWidth)
{
    const int before = panel->tabs()->width();
    panel->setPanelWidthTwips(600);
    panel->updateLayout();
    EXPECT_EQ(panel->tabs()->width(), before);
    panel->setPanelWidthTwips(6000);
    panel->updateLayout();
    EXPECT_EQ(panel->tabs()->width(), ink::twipsToPixels(5800));
}

TEST_F(SidePanelTest, tabHeightFollowsThePanel)
{
    EXPECT_EQ(panel->tabs()->height(), ink::twipsToPixels(ink::pixelsToTwips(panel->height()) - 100));
}

TEST_F(SidePanelTest, viewTabsCanBeMadeUnavailable)
{
    panel->setTabAvailable(3, false);
    panel->setTabAvailable(4, true);
    EXPECT_FALSE(panel->tabs()->isTabEnabled(3));
    EXPECT_TRUE(panel->tabs()->isTabEnabled(4));
}

TEST_F(SidePanelTest, codeToolTabsReportTheirCaptionAndShowClips)
{
    ink::SideTabList* tabs = panel->codeToolTabs();
    ASSERT_EQ(tabs->count(), 16);
    EXPECT_EQ(tabs->item(0)->toolTip(), "Save Selected Text as Clip");
    panel->setClipToolTip(3, "<b>clip</b>");
    EXPECT_EQ(tabs->tab("Paste Clip 3")->toolTip(), "<b>clip</b>");

    panel->tabs()->setCurrentIndex(4);
    QStringList clicked;
    QObject::connect(panel, &SidePanel::codeToolTabClicked, [&](const QString& c) { clicked << c; });
    const QPoint centre = tabs->visualItemRect(tabs->tab("Next Bookmark")).center();
    for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(type, centre, tabs->viewport()->mapToGlobal(centre), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(tabs->viewport(), &e);
    }
    EXPECT_EQ(clicked, QStringList{"Next Bookmark"});
}

TEST_F(SidePanelTest, fontTabsFollowTheFontList)
{
    panel->setFontNames({"Arial", "Courier New", "Verdana"});
    EXPECT_EQ(panel->fontTabs()->captions(), (QStringList{"Arial", "Courier New", "Verdana"}));
    QStringList clicked;
    QObject::connect(panel, &SidePanel::fontTabClicked, [&](const QString& c) { clicked << c; });
    emit panel->fontTabs()->itemClicked(panel->fontTabs()->item(1));
    EXPECT_EQ(clicked, QStringList{"Courier New"});
}

TEST(FolderFileListTest, listsFilesButNotWorkingFilesOrFolders)
{
    QTemporaryDir dir;
    for (const char* name : {"b.html", "A.css", ".inkpress-temp.html", ".htaccess"}) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir("images"));

    ink::FolderFileList list;
    ASSERT_TRUE(list.setFolder(dir.path()));
    EXPECT_EQ(list.fileNames(), (QStringList{".htaccess", "A.css", "b.html"}));

    EXPECT_FALSE(list.setFolder(""));
    EXPECT_FALSE(list.setFolder(dir.filePath("missing")));
    EXPECT_EQ(list.folder(), dir.path());
    EXPECT_EQ(list.count(), 3);
}

}
