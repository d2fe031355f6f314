#include "base/widgets/Icons.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

// The resources live in a static library: referencing their initialiser
// keeps the linker from dropping them.
static void initIconResources()
{
    Q_INIT_RESOURCE(Icons);
}

namespace ink {

void prepareIconTheme()
{
    static bool prepared = false;
    if (prepared)
        return;
    prepared = true;
    initIconResources();
    QStringList paths = QIcon::themeSearchPaths();
    const QStringList extra = {
        QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/icons")),
        QStringLiteral("/usr/local/share/icons"),
        QStringLiteral("/usr/share/icons"),
    };
    for (const QString& path : extra) {
        if (!paths.contains(path) && QFileInfo(path).isDir())
            paths << path;
    }
    QIcon::setThemeSearchPaths(paths);
    QIcon::setFallbackThemeName(QString::fromLatin1(FallbackIconTheme));
    // Without a desktop session Qt names no theme, or only the bare "hicolor"
    // base theme that holds no action icons.
    const QString theme = QIcon::themeName();
    if (theme.isEmpty() || theme == QLatin1String("hicolor"))
        QIcon::setThemeName(QString::fromLatin1(FallbackIconTheme));
}

QIcon programIcon()
{
    return drawnIcon(QStringLiteral("inkpress"));
}

QIcon drawnIcon(const QString& name)
{
    initIconResources();
    const QString path = QStringLiteral(":/inkpress/icons/%1.svg").arg(name);
    return !name.isEmpty() && QFileInfo::exists(path) ? QIcon(path) : QIcon();
}

QIcon themeOrDrawnIcon(const QString& themeNames, const QString& drawn)
{
    prepareIconTheme();
    for (const QString& name : themeNames.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (QIcon::hasThemeIcon(name))
            return QIcon::fromTheme(name);
    }
    return drawnIcon(drawn);
}

}
