#include "app/ViewEnabling.h"

namespace ink {

namespace {

// Commands that only make sense on source text are off in the Design view;
// those that rely on the design surface are off in the Code view.
struct Rule {
    const char* menuItem;
    int panelTab;
    bool inDesign;
};

const Rule rules[] = {
    {"comment", -1, false},
    {"css", -1, false},
    {"findnext", -1, false},
    {"replace", -1, false},
    {"outdent", -1, true},
    {"library", -1, false},
    {"removeformat", -1, true},
    {"", DragDropTab, true},
    {"", CodeToolsTab, false},
};

}

std::vector<ViewEnablingState> viewEnabling(bool designView)
{
    std::vector<ViewEnablingState> states;
    for (const Rule& r : rules) {
        ViewEnablingState s;
        s.menuItem = QString::fromLatin1(r.menuItem);
        s.panelTab = r.panelTab;
        s.enabled = designView ? r.inDesign : !r.inDesign;
        states.push_back(s);
    }
    return states;
}

}
