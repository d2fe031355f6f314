#pragma once
#include <optional>

namespace ink {

// Geometry rules of the side panel and its splitter bar, all in twips.
namespace panelrules {

constexpr double MinimumPanelWidth = 75;
// Inner widths follow the panel only above this width.
constexpr double InnerLayoutThreshold = 700;

// Where the main window and its parts are while the splitter is dragged.
struct DragInputs {
    double mainTop = 0, mainLeft = 0, mainWidth = 0; // main window, screen coordinates
    double panelWidth = 0, panelHeight = 0;
    double splitterWidth = 0;
    double stripHeight = 0; // see stripHeight()
};

// The drag bar window and the scroll bar drawn inside it.
struct DragBarGeometry {
    double left = 0, top = 0, height = 0;
    double scrollBarHeight = 0;
};

// Height of the tool strips above the document area: each visible strip's
// height, rounded to a whole number.
double stripHeight(bool standardVisible, double standardHeight, bool formattingVisible,
                   double formattingHeight);

// The drag bar while the mouse is at `x` within the splitter bar (negative
// left of it): it sits where the splitter would be with that offset.
DragBarGeometry dragBarGeometry(const DragInputs& in, double x);

// The panel width after the button is released at `x` within the splitter
// bar: widened by the distance moved left, plus 50. It never exceeds the main
// window's width minus 50; a width below zero is refused (the panel keeps its
// width), and the resize rule then keeps it at least MinimumPanelWidth wide.
double releasedPanelWidth(double panelWidth, double x, double mainWidth);

// The resize rule for the panel's own width.
double resizedPanelWidth(double panelWidth);

// Heights set on every resize; a negative height is refused by the window
// system and skipped by the caller.
struct PanelHeights {
    double tabs = 0;     // `SSTab1`
    double fontTabs = 0; // `TabStrip1`
    double dragDrop = 0; // `dragdrop`
};
PanelHeights panelHeights(double panelHeight);

// Widths set by the 100 ms timer. Nothing changes for a panel of 700 or
// less; the inner parts follow only once the tab container exceeds 700.
struct InnerWidths {
    std::optional<double> tabs;       // `SSTab1`
    std::optional<double> fontTabs;   // `TabStrip1`
    std::optional<double> dragDrop;   // `dragdrop`
    std::optional<double> colourArea; // `Picture3`
    std::optional<double> tableArea;  // `Picture4`
};
InnerWidths innerWidths(double panelWidth);

}

}
