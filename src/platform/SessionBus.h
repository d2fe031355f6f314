#pragma once
#include <QString>

namespace ink {

// Where a process looks for the desktop's session message bus: the address
// in its environment, the per-user bus socket in its runtime folder, or else
// the launcher that starts a bus for an X display, found on its search path.
struct SessionBusPlaces {
    QString address;     // DBUS_SESSION_BUS_ADDRESS
    QString runtimeDir;  // XDG_RUNTIME_DIR
    QString searchPath;  // PATH
};

// Whether any of those places can give a session bus.
bool sessionBusFindable(const SessionBusPlaces& places);

// Must run before the QApplication is created. Qt's accessibility bridge
// asks for the session bus while the main window is built; where there is
// none to find (a virtual display, a bare X session), the bus library forks
// the whole process to run a launcher that is not installed, which holds the
// window back. There the environment says at once that there is no bus, for
// this process and for the programs it starts, which would find none either.
void skipUnfindableSessionBus();

}
