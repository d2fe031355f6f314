#include "app/DockingSwitches.h"

namespace ink {

DockingSwitches::DockingSwitches(bool docked, bool visible)
{
    setMarks(docked, visible);
}

void DockingSwitches::setMarks(bool docked, bool visible)
{
    state_.docked = docked;
    state_.visible = visible;
    state_.stripShown = visible && docked;
    state_.floatingShown = visible && !docked;
}

DockingOutcome DockingSwitches::dockedShown()
{
    state_.stripShown = true;
    state_.floatingShown = false;
    return state_;
}

DockingOutcome DockingSwitches::floating()
{
    state_.stripShown = false;
    state_.floatingShown = true;
    return state_;
}

DockingOutcome DockingSwitches::nothingShown()
{
    state_.stripShown = false;
    state_.floatingShown = false;
    return state_;
}

DockingOutcome DockingSwitches::clickDocked()
{
    state_.docked = !state_.docked;
    if (state_.docked) {
        state_.visible = true;
        return dockedShown();
    }
    return state_.visible ? floating() : nothingShown();
}

DockingOutcome DockingSwitches::clickVisible()
{
    state_.visible = !state_.visible;
    if (!state_.visible) {
        state_.docked = false;
        return nothingShown();
    }
    return state_.docked ? dockedShown() : floating();
}

// The undock and dock buttons also check Visible: the bar is on screen
// afterwards, and a Visible mark left unchecked (possible when the saved
// strip visibility and the saved mark disagree) would misreport it.
DockingOutcome DockingSwitches::undock()
{
    state_.docked = false;
    state_.visible = true;
    return floating();
}

DockingOutcome DockingSwitches::dock()
{
    state_.docked = true;
    state_.visible = true;
    return dockedShown();
}

DockingOutcome DockingSwitches::floatingClosed(bool keepMarks)
{
    if (!keepMarks)
        state_.visible = false;
    return nothingShown();
}

}
