#pragma once
#include <QString>
#include <QStringList>
#include <vector>

namespace ink {

// One item of the main window's menu tree: the menu bar, its hidden side-panel
// toggle `preview`, and the two pop-up menus `dhtmlpop1` (the design surface's
// context menu) and `droppop` (the list button's drop-down).
struct MenuEntry {
    const char* name;
    const char* parent;   // "" for an item of the menu bar itself
    const char* caption;  // with its ampersand access key; "-" for a separator
    const char* shortcut; // portable key text ("Ctrl+N", "F1"); "" for none
    bool checkable;       // a check-mark item (style options, docking switches)
    bool checked;         // its check mark when the program starts
    bool hidden;
    bool separator;
};

// The whole tree, depth first: every item follows its parent and siblings
// keep their menu order, so building menus in table order reproduces the tree.
const std::vector<MenuEntry>& menuTable();

// The item called `name`; nullptr when there is none.
const MenuEntry* findMenuEntry(const QString& name);

// Names of the items directly under `parent` ("" for the menu bar), in order.
QStringList menuChildren(const QString& parent);

// True when the item opens a submenu (some item names it as its parent).
bool isSubmenu(const QString& name);

}
