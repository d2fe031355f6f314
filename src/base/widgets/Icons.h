#pragma once
#include <QIcon>
#include <QString>

namespace ink {

// The icon theme the program falls back on when the desktop names none, or
// when the desktop's theme lacks an icon (as under a bare X server).
inline constexpr const char* FallbackIconTheme = "Adwaita";

// Makes the icon theme lookup work outside a desktop session: adds the icon
// folders of an installed copy and of the system to the search path and sets
// the fallback theme. Runs once; later calls do nothing.
void prepareIconTheme();

// The program's own icon, for its windows and its menu entry.
QIcon programIcon();

// An icon drawn for this program, by its name in the icon resources
// ("undock", "bullets", ...); a null icon for an unknown name.
QIcon drawnIcon(const QString& name);

// The first of the theme icons `themeNames` (separated by ",") that the
// theme has, otherwise the drawn icon `drawn`; a null icon when neither is
// there.
QIcon themeOrDrawnIcon(const QString& themeNames, const QString& drawn);

}
