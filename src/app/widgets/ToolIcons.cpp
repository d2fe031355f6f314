#include "app/widgets/ToolIcons.h"

#include "app/ToolIconTable.h"
#include "base/widgets/Icons.h"

namespace ink {

QIcon toolButtonIcon(const QString& toolbar, const QString& key)
{
    const ToolIconEntry* entry = findToolIcon(toolbar, key);
    if (!entry)
        return QIcon();
    return themeOrDrawnIcon(QString::fromLatin1(entry->themeNames), QString::fromLatin1(entry->drawn));
}

}
