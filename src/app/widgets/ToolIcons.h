#pragma once
#include <QIcon>
#include <QString>

namespace ink {

// The icon of the tool bar button `key` of the tool bar `toolbar`
// ("Toolbar1"/"new"): the desktop theme's icon where one fits, otherwise one
// drawn for this program. A null icon for a button without an entry; the
// caller then shows the button's label instead. Every builder of a tool
// strip, docked or floating, takes its icons from here.
QIcon toolButtonIcon(const QString& toolbar, const QString& key);

}
