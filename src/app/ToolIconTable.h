#pragma once
#include <QString>
#include <vector>

namespace ink {

// The picture of a tool bar button: icon names of the desktop's icon theme
// (freedesktop names, tried in order, separated by ","), and the name of an
// icon drawn for this program (a file in the program's icon resources) used
// when the theme has none of them. Either may be empty.
struct ToolIconEntry {
    const char* toolbar;
    const char* key;
    const char* themeNames;
    const char* drawn;
};

// Every button of the tool strips, keyed like the command routing:
// tool bar name and button key.
const std::vector<ToolIconEntry>& toolIconTable();

// The entry of one button; nullptr when the button has none.
const ToolIconEntry* findToolIcon(const QString& toolbar, const QString& key);

}
