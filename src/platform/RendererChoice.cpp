#include "platform/RendererChoice.h"

#include <QStringList>

namespace ink {

bool isSoftwareOpenGl(const QString& renderer, const QString& vendor)
{
    if (renderer.trimmed().isEmpty())
        return true; // no usable OpenGL at all
    static const QStringList softwareNames{
        QStringLiteral("llvmpipe"),     QStringLiteral("softpipe"),
        QStringLiteral("swrast"),       QStringLiteral("software rasterizer"),
        QStringLiteral("swiftshader"),  QStringLiteral("lavapipe"),
        QStringLiteral("gdi generic"),  QStringLiteral("microsoft basic render"),
        QStringLiteral("apple software renderer"),
    };
    const QString names = renderer.toLower() + QLatin1Char(' ') + vendor.toLower();
    for (const QString& name : softwareNames)
        if (names.contains(name))
            return true;
    return false;
}

}
