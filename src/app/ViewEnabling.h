#pragma once
#include <QString>
#include <vector>

namespace ink {

// What the main window's 100 ms timer enables by the active page's view.
// A target is either a menu item (by name; `css` stands for the whole Style
// menu) or a tab of the side panel's tab container (by index, 0 = first).
struct ViewEnablingState {
    QString menuItem; // empty for a panel tab
    int panelTab = -1; // -1 for a menu item
    bool enabled = false;
};

// The side panel tabs that depend on the view.
constexpr int DragDropTab = 3; // "Drag 'N' Dropcube"
constexpr int CodeToolsTab = 4; // "Vurazuredav"

// Every view-dependent target with its state for the Design view
// (`designView` true) or the Code view.
std::vector<ViewEnablingState> viewEnabling(bool designView);

}
