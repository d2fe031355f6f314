#include "platform/SessionBus.h"

#include <QDir>
#include <QFileInfo>

namespace ink {

namespace {

bool hasBusLauncher(const QString& searchPath)
{
    for (const QString& folder : searchPath.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        const QFileInfo launcher(QDir(folder).filePath(QStringLiteral("dbus-launch")));
        if (launcher.isFile() && launcher.isExecutable())
            return true;
    }
    return false;
}

}

bool sessionBusFindable(const SessionBusPlaces& places)
{
    if (!places.address.isEmpty())
        return true;
    // The socket is not a regular file: anything by that name counts.
    if (!places.runtimeDir.isEmpty()
        && QFileInfo(QDir(places.runtimeDir).filePath(QStringLiteral("bus"))).exists())
        return true;
    return hasBusLauncher(places.searchPath);
}

void skipUnfindableSessionBus()
{
    const SessionBusPlaces places{qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS"),
                                  qEnvironmentVariable("XDG_RUNTIME_DIR"),
                                  qEnvironmentVariable("PATH")};
    // No transport answers to this address: the lookup fails without a try.
    if (!sessionBusFindable(places))
        qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
}

}
