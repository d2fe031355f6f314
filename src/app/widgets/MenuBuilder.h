#pragma once
#include <QHash>
#include <QString>
#include <functional>

class QAction;
class QMenu;
class QMenuBar;

namespace ink {

// Runs the command of a menu item, given the item's name ("new", "bold",
// "dhp1cut", ...).
using MenuDispatcher = std::function<void(const QString& name)>;

// The main window's menus, looked up by item name.
struct BuiltMenus {
    // Every item of the table, separators included. For an item that opens a
    // submenu this is the submenu's own action (its entry in the parent).
    QHash<QString, QAction*> actions;
    // Every item that opens a submenu, and the pop-up menus `dhtmlpop1` and
    // `droppop`, which the caller shows with QMenu::popup().
    QHash<QString, QMenu*> menus;

    QAction* action(const QString& name) const { return actions.value(name); }
    QMenu* menu(const QString& name) const { return menus.value(name); }

    // Enables or disables an item; for a submenu the whole menu, entry and
    // items alike (as the timer does with `css`). Unknown names are ignored.
    void setItemEnabled(const QString& name, bool enabled) const;
};

// Fills `bar` with the whole menu tree of the main window. Each item becomes
// a QAction (or QMenu) whose objectName is the item's name, with its caption,
// shortcut, check mark and visibility. The hidden items of the menu bar
// (`preview`, `dhtmlpop1`, `droppop`) are added hidden, so their pop-ups
// still belong to the window.
//
// Triggering an item that opens no submenu calls `dispatch` with its name.
// Check-mark items toggle their own mark before `dispatch` runs, as Qt does
// for checkable actions: by the time the dispatcher sees "stvisible" the
// mark already shows the new state. The style options can simply read that
// mark. The docking switches should not: their handler asks its
// DockingSwitches for the outcome of the click and then sets both marks of
// the pair from that outcome (setChecked emits no triggered signal), which
// also covers the rules that change the other item of the pair.
BuiltMenus buildMenus(QMenuBar* bar, const MenuDispatcher& dispatch);

}
