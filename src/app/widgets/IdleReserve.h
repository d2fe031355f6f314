#pragma once
#include <QObject>
#include <functional>

class QTimer;
class QWidget;

namespace ink {

// Work that can wait for the program to be idle: the next document window,
// made ahead, and the side panel's palette. Each runs only while no page is
// loading (making a window starts an engine process, which would take the
// processor from the load) and outside the waits of other handlers, one at
// a time.
class IdleReserve : public QObject {
    Q_OBJECT
public:
    struct Work {
        // Whether a page is loading meanwhile.
        std::function<bool()> loading;
        // Whether the next window is there, and how it is made.
        std::function<bool()> windowReady;
        std::function<void()> makeWindow;
        // Loads the side panel's palette, once.
        std::function<void()> palette;
    };
    IdleReserve(QWidget* host, Work work);

    // Makes the window, and then loads the palette if it is still due, once
    // `ms` have passed, the host window is on screen and no page is loading.
    void fillAfter(int ms);
    // The same at start-up, timed from the main window's first paint: made
    // before it, the window would hold that paint back for as long as the
    // engine takes to start.
    void fillAfterStart();
    // The same after a new document window has started loading its page.
    void fillAfterNewWindow();
    // Loads the palette now (its tab is shown), if it has not been loaded.
    void loadPaletteNow();
    bool paletteLoaded() const { return !work_.palette; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fill();
    bool hostOnScreen() const;
    // A window to make or the palette to load.
    bool workLeft() const;

    QWidget* host_;
    Work work_;
    QTimer* timer_;
    // The host window was not on screen at the last look: the work waits
    // for its next paint.
    bool awaitingScreen_ = false;
};

}
