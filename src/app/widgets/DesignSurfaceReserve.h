#pragma once
#include <QObject>
#include <functional>

class QTimer;
class QWidget;

namespace ink {

// Work that can wait for the program to be idle: one design surface made
// ahead for the next document window (see prepareDesignSurface), and the
// side panel's palette. Each runs only while no page is loading (making a
// surface starts an engine process, which would take the processor from
// the load) and outside the waits of other handlers, one at a time.
class DesignSurfaceReserve : public QObject {
    Q_OBJECT
public:
    // `loading` tells whether a page is loading meanwhile; `palette` loads
    // the side panel's palette, once.
    DesignSurfaceReserve(QWidget* host, std::function<bool()> loading,
                         std::function<void()> palette);

    // Makes the surface, and then loads the palette if it is still due,
    // once `ms` have passed and no page is loading.
    void fillAfter(int ms);
    // Loads the palette now (its tab is shown), if it has not been loaded.
    void loadPaletteNow();
    bool paletteLoaded() const { return !palette_; }

private:
    void fill();

    QWidget* host_;
    std::function<bool()> loading_;
    std::function<void()> palette_;
    QTimer* timer_;
};

}
