// The design surface made ahead for the next document window, and the
// palette loaded once the program is idle.
#include "MainWindowFixture.h"
#include "app/widgets/DesignSurfaceReserve.h"
#include "app/widgets/SidePanel.h"
#include "base/Wait.h"
#include "platform/ComponentFactory.h"

#include <QPointer>
#include <QTabWidget>

using namespace ink;
using namespace inktest;

namespace {

QWidget* preparedView(QWidget* host)
{
    return host->findChild<QWidget*>(QStringLiteral("preparedDesign"));
}

class PreparedSurfaceTest : public MainWindowTest {
protected:
    // The program has been idle long enough to make the surface ahead.
    QPointer<QWidget> waitForPrepared()
    {
        waitUntil([this] { return preparedView(main.get()) != nullptr; });
        return preparedView(main.get());
    }
};

TEST_F(PreparedSurfaceTest, TheSurfaceMadeAheadStaysOutOfSightAndNeverTakesTheFocus)
{
    const QPointer<QWidget> view = waitForPrepared();
    ASSERT_TRUE(view);
    EXPECT_FALSE(view->accessibleName().isEmpty());
    EXPECT_FALSE(main->rect().intersects(view->geometry()));
    // Shown once for the engine, then hidden: the Tab key never lands on it.
    EXPECT_TRUE(waitUntil([&] { return view->isHidden(); }));
    EXPECT_FALSE(view->hasFocus());
}

// Each way a document window is made takes the surface made ahead, shows
// its page in it, and a surface is made ahead again for the window after.
TEST_F(PreparedSurfaceTest, TheNextWindowTakesTheSurfaceAndShowsItsPageInIt)
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
        const QPointer<QWidget> view = waitForPrepared();
        ASSERT_TRUE(view);
        DocumentWindow* w = c.make();
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->design()->widget(), view.data());
        EXPECT_EQ(view->window(), main.get());
        EXPECT_TRUE(w->isAncestorOf(view));
        EXPECT_TRUE(view->isVisible());
        // Laid out in the window, not left where it waited.
        EXPECT_GE(view->mapTo(w, QPoint(0, 0)).y(), 0);
        EXPECT_GT(view->width(), w->width() / 2);
        EXPECT_GT(view->height(), w->height() / 2);
        EXPECT_EQ(js(QStringLiteral("document.designMode")).toString(), QStringLiteral("on"));
        EXPECT_TRUE(js(QStringLiteral("document.body.textContent")).toString().contains(
            QLatin1String(c.text)));
        // The surface was made before the window's Details box was read: the
        // page still shows the outlines the ticked box asks for.
        if (*c.text) {
            EXPECT_EQ(js(QStringLiteral("getComputedStyle(document.querySelector('p')).outlineStyle"))
                          .toString(),
                      QStringLiteral("dotted"));
        }
        EXPECT_NE(preparedView(main.get()), view.data());
    }
    EXPECT_TRUE(waitForPrepared());
}

TEST_F(PreparedSurfaceTest, AWindowHoldingTheSurfaceMadeAheadClosesAndGoes)
{
    ASSERT_TRUE(waitForPrepared());
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

TEST_F(PreparedSurfaceTest, ASurfaceMadeAheadGoesWithItsMainWindow)
{
    ASSERT_TRUE(waitForPrepared());
    closeMain();
    EXPECT_FALSE(designSurfacePrepared());
    startMain();
    EXPECT_TRUE(waitForPrepared());
}

// The palette loads once the program is idle, or at once when its tab is
// chosen before that.
TEST_F(PreparedSurfaceTest, ThePaletteLoadsWhenIdleOrWhenItsTabIsChosen)
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
// the engine would hold back its first paint); once idle, the surface
// first, then the palette.
TEST(DesignSurfaceReserveTest, WaitsUntilNoPageLoads)
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
        int palettes = 0;
        bool loading = c.loading;
        DesignSurfaceReserve reserve(&host, [&] { return loading; }, [&] { ++palettes; });
        reserve.fillAfter(0);
        if (c.nested) {
            NestedEventLoop nested;
            pump(400);
        } else {
            pump(400);
        }
        EXPECT_EQ(designSurfacePrepared(), c.made);
        EXPECT_EQ(preparedView(&host) != nullptr, c.made);
        loading = false;
        host.show();
        EXPECT_TRUE(waitUntil([&] { return palettes == 1; }));
        EXPECT_TRUE(designSurfacePrepared());
        EXPECT_TRUE(reserve.paletteLoaded());
        reserve.loadPaletteNow();
        EXPECT_EQ(palettes, 1);
    }
    EXPECT_FALSE(designSurfacePrepared());
}

}
