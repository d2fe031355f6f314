#include "platform/widgets/EngineEnvironment.h"

#include "platform/RendererChoice.h"
#include "platform/SessionBus.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QQuickWindow>
#include <QSGRendererInterface>
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
    skipUnfindableSessionBus();
}

namespace {

bool onlySoftwareOpenGl()
{
    QOpenGLContext context;
    if (!context.create())
        return true;
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface))
        return true;
    QOpenGLFunctions* gl = context.functions();
    const auto text = [gl](GLenum name) {
        const auto* bytes = reinterpret_cast<const char*>(gl->glGetString(name));
        return bytes ? QString::fromLatin1(bytes) : QString();
    };
    const bool software = isSoftwareOpenGl(text(GL_RENDERER), text(GL_VENDOR));
    context.doneCurrent();
    return software;
}

}

const char* chooseSceneGraphBackend()
{
    if (!qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND")
        || !qEnvironmentVariableIsEmpty("QSG_RHI_BACKEND")) {
        return QQuickWindow::graphicsApi() == QSGRendererInterface::Software ? "software"
                                                                              : "opengl";
    }
    if (!onlySoftwareOpenGl())
        return "opengl";
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    return "software";
}

}
