// The document window made ahead for the next page, and the palette loaded
// once the program is idle.
#include "MainWindowFixture.h"
#include "app/widgets/IdleReserve.h"
#include "app/widgets/SidePanel.h"
#include "base/Wait.h"

#include <QApplication>
#include <QPointer>
#include <QTabWidget>

using namespace ink;
using namespace inktest;

namespace {

class WindowAheadTest : public MainWindowTest {
protected:
    // The program has been idle long enough to make the window ahead.
    QPointer<DocumentWindow> waitForAhead()
    {
        waitUntil([this] { return main->windowMadeAhead() != nullptr; });
        return main->windowMadeAhead();
    }
};

TEST_F(WindowAheadTest, TheWindowMadeAheadStaysOutOfSightAndNeverTakesTheFocus)
{
    const QPointer<DocumentWindow> ahead = waitForAhead();
    ASSERT_TRUE(ahead);
    QWidget* view = ahead->design()->widget();
    EXPECT_FALSE(view->accessibleName().isEmpty());
    EXPECT_FALSE(main->rect().intersects(QRect(view->mapTo(main.get(), QPoint(0, 0)), view->size())));
    // Not one of the program's pages until it takes one.
    EXPECT_EQ(ahead->slot(), 0);
    EXPECT_EQ(main->activeWindow(), nullptr);
    // Shown once for the engine, then hidden: the Tab key never lands on it.
    EXPECT_TRUE(waitUntil([&] { return !ahead->isVisible(); }));
    EXPECT_FALSE(ahead->isAncestorOf(QApplication::focusWidget()));
}

// Each way a document window is made takes the window made ahead, shows
// its page in it, and a window is made ahead again for the page after.
TEST_F(WindowAheadTest, TheNextPageTakesTheWindowAndShowsInIt)
{
    const QString path = writePage(QStringLiteral("taken.html"),
                                   "<html><head><title>Taken</title></head><body><p>First words</p>"
                                   "</body></html>");
    const struct {
        const char* how;
        std::function<DocumentWindow*()> make;
        const char* text;
    } cases[] = {
        {"open", [&] { return openPage(path); }, "First words"},
        {"new", [&] { return newPage(); }, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        const QPointer<DocumentWindow> ahead = waitForAhead();
        ASSERT_TRUE(ahead);
        DocumentWindow* w = c.make();
        ASSERT_EQ(w, ahead.data());
        QWidget* view = w->design()->widget();
        EXPECT_EQ(view->window(), main.get());
        EXPECT_TRUE(w->isVisible());
        EXPECT_TRUE(view->isVisible());
        EXPECT_EQ(main->activeWindow(), w);
        EXPECT_FALSE(w->slot() == 0);
        // Laid out in the window, not left where it waited.
        EXPECT_GE(view->mapTo(w, QPoint(0, 0)).y(), 0);
        EXPECT_GT(view->width(), w->width() / 2);
        EXPECT_GT(view->height(), w->height() / 2);
        EXPECT_EQ(js(QStringLiteral("document.designMode")).toString(), QStringLiteral("on"));
        EXPECT_TRUE(js(QStringLiteral("document.body.textContent")).toString().contains(
            QLatin1String(c.text)));
        // The window was made before its Details box was read again: the
        // page still shows the outlines the ticked box asks for.
        if (*c.text) {
            EXPECT_EQ(js(QStringLiteral("getComputedStyle(document.querySelector('p')).outlineStyle"))
                          .toString(),
                      QStringLiteral("dotted"));
        }
        EXPECT_NE(main->windowMadeAhead(), w);
    }
    EXPECT_TRUE(waitForAhead());
}

TEST_F(WindowAheadTest, AWindowMadeAheadClosesAndGoes)
{
    ASSERT_TRUE(waitForAhead());
    const QPointer<DocumentWindow> w = newPage();
    ASSERT_TRUE(w);
    const QPointer<QWidget> view = w->design()->widget();
    const QPointer<QObject> surface = w->design();
    w->close();
    EXPECT_TRUE(waitUntil([&] { return !w && !view && !surface; }));
    // The program goes on: the next window opens.
    ASSERT_NE(newPage(), nullptr);
    EXPECT_EQ(js(QStringLiteral("document.designMode")).toString(), QStringLiteral("on"));
}

TEST_F(WindowAheadTest, AWindowMadeAheadGoesWithItsMainWindow)
{
    const QPointer<DocumentWindow> ahead = waitForAhead();
    ASSERT_TRUE(ahead);
    closeMain();
    EXPECT_FALSE(ahead);
    startMain();
    EXPECT_TRUE(waitForAhead());
}

// The palette loads once the program is idle, or at once when its tab is
// chosen before that.
TEST_F(WindowAheadTest, ThePaletteLoadsWhenIdleOrWhenItsTabIsChosen)
{
    auto* panel = main->findChild<SidePanel*>();
    ASSERT_NE(panel, nullptr);
    const auto palette = [this] { return main->findChild<QWidget*>(QStringLiteral("dragdrop")); };
    EXPECT_TRUE(waitUntil([&] { return palette() != nullptr; }));

    closeMain();
    startMain();
    panel = main->findChild<SidePanel*>();
    ASSERT_EQ(palette(), nullptr);
    for (int i = 0; i < panel->tabs()->count(); ++i)
        if (panel->tabs()->widget(i)->objectName() == QLatin1String("dragdropHost"))
            panel->tabs()->setCurrentIndex(i);
    EXPECT_NE(palette(), nullptr);
}

// The reserve on a bare host: nothing is made while a page loads, inside
// another handler's wait, or before the host window is on screen (starting
// the engine would hold back its first paint); once idle, the window
// first, then the palette, each once.
TEST(IdleReserveTest, WaitsUntilNoPageLoads)
{
    const struct {
        const char* what;
        bool loading;
        bool nested;
        bool shown;
        bool made;
    } cases[] = {
        {"a page loads", true, false, true, false},
        {"inside a wait", false, true, true, false},
        {"window not on screen yet", false, false, false, false},
        {"idle", false, false, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QWidget host;
        host.resize(400, 300);
        if (c.shown)
            host.show();
        int windows = 0;
        int palettes = 0;
        bool loading = c.loading;
        IdleReserve::Work work;
        work.loading = [&] { return loading; };
        work.windowReady = [&] { return windows > 0; };
        work.makeWindow = [&] {
            EXPECT_EQ(palettes, 0);
            ++windows;
        };
        work.palette = [&] { ++palettes; };
        IdleReserve reserve(&host, std::move(work));
        reserve.fillAfter(0);
        if (c.nested) {
            NestedEventLoop nested;
            pump(400);
        } else {
            pump(400);
        }
        EXPECT_EQ(windows, c.made ? 1 : 0);
        loading = false;
        host.show();
        EXPECT_TRUE(waitUntil([&] { return palettes == 1; }));
        EXPECT_EQ(windows, 1);
        EXPECT_TRUE(reserve.paletteLoaded());
        reserve.loadPaletteNow();
        reserve.fillAfter(0);
        pump(100);
        EXPECT_EQ(palettes, 1);
        EXPECT_EQ(windows, 1);
    }
}

}
