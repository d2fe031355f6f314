#include "app/ToolbarTable.h"

namespace ink {

namespace {

ToolBandEntry buttonBand(const char* name, std::vector<ToolButtonEntry> buttons)
{
    ToolBandEntry band;
    band.name = name;
    band.buttons = std::move(buttons);
    return band;
}

ToolBandEntry widgetBand(const char* name)
{
    ToolBandEntry band;
    band.name = name;
    band.widgets = {name};
    return band;
}

ToolStripEntry buildStandard()
{
    ToolStripEntry strip;
    strip.name = "b";
    strip.bands.push_back(buttonBand("Toolbar1", {{"new", "New Page", "New"},
                                                  {"open", "Open Page", "Open"},
                                                  {"save", "Save Page", "Save"}}));
    strip.bands.push_back(buttonBand("Toolbar10", {{"preview", "Print Preview", "Preview"},
                                                   {"print", "Print", "Print"},
                                                   {"refresh", "Refresh", "Refresh"}}));
    strip.bands.push_back(buttonBand("Toolbar2", {{"cut", "Cut", "Cut"},
                                                  {"copy", "Copy", "Copy"},
                                                  {"paste", "Paste", "Paste"},
                                                  {"undo", "Undo", "Undo"}}));
    // The link and image bands each carry their quick picker after the button.
    ToolBandEntry link = buttonBand("Toolbar11", {{"link", "Link", "Link"}});
    link.widgets = {"Combo2"};
    strip.bands.push_back(link);
    ToolBandEntry image = buttonBand("Toolbar13", {{"link", "Image", "Image"}});
    image.widgets = {"Combo3"};
    strip.bands.push_back(image);
    strip.bands.push_back(buttonBand("Toolbar8", {{"browser", "Preview in Browser", "Browser"},
                                                  {"undock", "Undock", "Undock"}}));
    return strip;
}

ToolStripEntry buildFormatting()
{
    ToolStripEntry strip;
    strip.name = "CoolBar2";
    strip.bands.push_back(widgetBand("FontComboControl1"));
    strip.bands.push_back(widgetBand("ColorComboControl1"));
    ToolBandEntry size;
    size.name = "Toolbar3";
    size.widgets = {"Combo1", "Slider1"};
    size.innerToolBar = "Toolbar7";
    size.innerButtons = {{"range", "Font Size Range", "Range", true}};
    strip.bands.push_back(size);
    strip.bands.push_back(buttonBand("Toolbar4", {{"bold", "Bold", "B"},
                                                  {"italic", "Italic", "I"},
                                                  {"underline", "Underline", "U"}}));
    strip.bands.push_back(buttonBand("Toolbar6", {{"left", "Left", "Left"},
                                                  {"center", "Center", "Center"},
                                                  {"right", "Right", "Right"}}));
    strip.bands.push_back(buttonBand("Toolbar9", {{"tab", "Indent", "Indent"},
                                                  {"outdent", "Outdent", "Outdent"},
                                                  {"breakline", "Break Line", "BR"}}));
    strip.bands.push_back(buttonBand("Toolbar12", {{"horizontalrule", "Horizontal Rule", "HR"},
                                                   {"bullets", "List", "List", true},
                                                   {"undock", "Undock", "Undock"}}));
    return strip;
}

}

const ToolStripEntry& standardStrip()
{
    static const ToolStripEntry strip = buildStandard();
    return strip;
}

const ToolStripEntry& formattingStrip()
{
    static const ToolStripEntry strip = buildFormatting();
    return strip;
}

const std::vector<RangeMenuEntry>& sliderRangeMenu()
{
    static const std::vector<RangeMenuEntry> items = {
        {"standard", "Standard (1 to 7)"},
        {"ptsize", "Point Size (8 to 72)"},
        {"ten", "0 to 10"},
        {"hundred", "0 to 100"},
        {"thousand", "0 to 1000"},
    };
    return items;
}

const ToolBandEntry* findBand(const ToolStripEntry& strip, const QString& band)
{
    for (const ToolBandEntry& b : strip.bands) {
        if (band == QLatin1String(b.name))
            return &b;
    }
    return nullptr;
}

}
