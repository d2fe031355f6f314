#include "platform/widgets/EngineEnvironment.h"

#include <QCoreApplication>
#include <QByteArray>
#include <unistd.h>

namespace ink {

void prepareWebEngineEnvironment()
{
    // Chromium refuses to start its sandbox as root.
    if (::geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    const char* ours = " --disable-gpu --disable-background-networking --disable-component-update"
                       " --no-first-run --disable-sync --disable-quic";
    if (!flags.contains("--disable-background-networking"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags + ours);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

}
