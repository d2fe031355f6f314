#include "app/SplitterRules.h"

#include <cmath>

namespace ink::panelrules {

double stripHeight(bool standardVisible, double standardHeight, bool formattingVisible,
                   double formattingHeight)
{
    double height = 0;
    if (standardVisible)
        height += std::round(standardHeight);
    if (formattingVisible)
        height += std::round(formattingHeight);
    return height;
}

DragBarGeometry dragBarGeometry(const DragInputs& in, double x)
{
    DragBarGeometry g;
    g.top = in.mainTop + in.stripHeight + 635;
    g.height = in.panelHeight - 25;
    g.scrollBarHeight = g.height + 1000;
    g.left = in.mainLeft + in.mainWidth - in.panelWidth - in.splitterWidth + x;
    return g;
}

double releasedPanelWidth(double panelWidth, double x, double mainWidth)
{
    double width = panelWidth - x + 50;
    if (width > mainWidth - 50)
        width = mainWidth - 50;
    return width < 0 ? panelWidth : width;
}

double resizedPanelWidth(double panelWidth)
{
    return panelWidth < MinimumPanelWidth ? MinimumPanelWidth : panelWidth;
}

PanelHeights panelHeights(double panelHeight)
{
    PanelHeights h;
    h.tabs = panelHeight - 100;
    h.fontTabs = h.tabs - 250;
    h.dragDrop = h.tabs - 250;
    return h;
}

InnerWidths innerWidths(double panelWidth)
{
    InnerWidths w;
    if (panelWidth <= InnerLayoutThreshold)
        return w;
    const double tabs = panelWidth - 200;
    w.tabs = tabs;
    if (tabs > InnerLayoutThreshold) {
        w.fontTabs = tabs - 450;
        w.dragDrop = tabs - 450;
        w.colourArea = tabs - 700;
        w.tableArea = tabs - 700;
    }
    return w;
}

}
