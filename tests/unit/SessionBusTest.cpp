// Whether a session bus can be found: where none can, the program says so
// up front instead of letting the bus library fork itself to look.
#include "platform/SessionBus.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void makeFile(const QString& path, bool executable)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n");
    file.close();
    QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    if (executable)
        permissions |= QFileDevice::ExeOwner;
    ASSERT_TRUE(file.setPermissions(permissions));
}

TEST(SessionBus, FoundByAddressSocketOrLauncherOnly)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    QDir dir(root.path());
    for (const char* sub : {"runtime-with-bus", "runtime-empty", "bin-launcher", "bin-plain",
                            "bin-empty"})
        ASSERT_TRUE(dir.mkdir(QString::fromLatin1(sub)));
    makeFile(dir.filePath(QStringLiteral("runtime-with-bus/bus")), false);
    makeFile(dir.filePath(QStringLiteral("bin-launcher/dbus-launch")), true);
    // Present but not executable: the library could not run it.
    makeFile(dir.filePath(QStringLiteral("bin-plain/dbus-launch")), false);
    ASSERT_TRUE(dir.mkdir(QStringLiteral("bin-empty/dbus-launch")));

    const QString withBus = dir.filePath(QStringLiteral("runtime-with-bus"));
    const QString empty = dir.filePath(QStringLiteral("runtime-empty"));
    const QString launcher = dir.filePath(QStringLiteral("bin-launcher"));
    const QString plain = dir.filePath(QStringLiteral("bin-plain"));
    const QString folderOnly = dir.filePath(QStringLiteral("bin-empty"));
    const struct {
        ink::SessionBusPlaces places;
        bool findable;
    } cases[] = {
        {{QStringLiteral("unix:path=/run/user/1000/bus"), empty, plain}, true},
        {{QStringLiteral("autolaunch:"), QString(), QString()}, true},
        {{QString(), withBus, plain}, true},
        {{QString(), empty, plain + QLatin1Char(':') + launcher}, true},
        {{QString(), QString(), QLatin1String("::") + launcher}, true},
        {{QString(), empty, plain + QLatin1Char(':') + folderOnly}, false},
        {{QString(), QString(), QString()}, false},
        {{QString(), dir.filePath(QStringLiteral("missing")), plain}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ink::sessionBusFindable(c.places), c.findable)
            << c.places.address.toStdString() << " | " << c.places.runtimeDir.toStdString()
            << " | " << c.places.searchPath.toStdString();
    }
}

}
