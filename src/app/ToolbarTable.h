#pragma once
#include <QString>
#include <vector>

namespace ink {

// A button of a tool bar band. The key identifies it to the command routing;
// the tool tip is what the user reads; the label is the text shown on the
// button when no icon is available.
struct ToolButtonEntry {
    const char* key;
    const char* toolTip;
    const char* label;
    bool dropDown = false; // carries a drop-down arrow with a menu
};

// A band of a tool strip, shown in the order: its buttons, its named widgets
// (combos, slider), then a nested tool bar. `Toolbar11` is its link button
// followed by the quick link picker `Combo2`; `Toolbar3` holds `Combo1`,
// `Slider1` and the tool bar `Toolbar7`; `FontComboControl1` is one widget.
struct ToolBandEntry {
    const char* name;
    std::vector<const char*> widgets;    // names of non-button widgets, in order
    std::vector<ToolButtonEntry> buttons; // buttons of the band's own tool bar
    const char* innerToolBar = "";       // name of a tool bar nested after the widgets
    std::vector<ToolButtonEntry> innerButtons;
};

struct ToolStripEntry {
    const char* name;
    std::vector<ToolBandEntry> bands; // in band order; band number = index + 1
};

// The Standard strip `b` as the main window carries it.
const ToolStripEntry& standardStrip();
// The Formatting strip `CoolBar2`.
const ToolStripEntry& formattingStrip();

// The items of `Toolbar7`'s drop-down menu: key (the slider range it
// chooses) and caption.
struct RangeMenuEntry {
    const char* key;
    const char* caption;
};
const std::vector<RangeMenuEntry>& sliderRangeMenu();

// The band of `strip` called `band`; nullptr when there is none.
const ToolBandEntry* findBand(const ToolStripEntry& strip, const QString& band);

}
