#pragma once

namespace ink {

// What one tool bar (Standard or Formatting) looks like after a switch: the
// check marks of its View > Toolbars entries and which of its two homes is
// on screen, the strip in the main window or the floating window.
struct DockingOutcome {
    bool docked = true;        // "&Docked" checked
    bool visible = true;       // "&Visible" checked
    bool stripShown = true;    // the main window's strip (`b` or `CoolBar2`)
    bool floatingShown = false; // `frmStandard` or `frmFormatting`

    bool operator==(const DockingOutcome& o) const
    {
        return docked == o.docked && visible == o.visible && stripShown == o.stripShown
            && floatingShown == o.floatingShown;
    }
};

// The rules of one pair of docking switches. The caller keeps one instance
// per tool bar, applies each outcome to the two menu check marks, the strip
// and the floating window, and never toggles the marks itself: the menu
// actions' own check toggling is overwritten by the outcome.
class DockingSwitches {
public:
    DockingSwitches() = default;
    DockingSwitches(bool docked, bool visible);

    // The marks as read from the settings; what is shown follows from them.
    void setMarks(bool docked, bool visible);

    // "&Docked" clicked: toggles Docked. Checking it also checks Visible and
    // docks; unchecking it floats the bar when Visible is checked; with
    // Visible unchecked and Docked unchecked nothing is shown.
    DockingOutcome clickDocked();
    // "&Visible" clicked: toggles Visible. Checked: docked or floating as
    // Docked says. Unchecked: nothing shown, and Docked is unchecked.
    DockingOutcome clickVisible();
    // The strip's "undock" button: the floating window replaces the strip.
    DockingOutcome undock();
    // The floating window's dock button: the strip replaces the window.
    DockingOutcome dock();
    // The floating window's close box: the bar disappears and Visible is
    // unchecked; `keepMarks` leaves the menu alone (shutdown in progress).
    DockingOutcome floatingClosed(bool keepMarks = false);

    const DockingOutcome& state() const { return state_; }

private:
    DockingOutcome dockedShown();
    DockingOutcome floating();
    DockingOutcome nothingShown();

    DockingOutcome state_;
};

}
