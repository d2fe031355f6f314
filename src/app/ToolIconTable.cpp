#include "app/ToolIconTable.h"

namespace ink {

const std::vector<ToolIconEntry>& toolIconTable()
{
    static const std::vector<ToolIconEntry> table = {
        {"Toolbar1", "new", "document-new", ""},
        {"Toolbar1", "open", "document-open", ""},
        {"Toolbar1", "save", "document-save", ""},
        {"Toolbar10", "preview", "document-print-preview", ""},
        {"Toolbar10", "print", "document-print", ""},
        {"Toolbar10", "refresh", "view-refresh", ""},
        {"Toolbar2", "cut", "edit-cut", ""},
        {"Toolbar2", "copy", "edit-copy", ""},
        {"Toolbar2", "paste", "edit-paste", ""},
        {"Toolbar2", "undo", "edit-undo", ""},
        {"Toolbar11", "link", "insert-link", ""},
        {"Toolbar13", "link", "insert-image", ""},
        {"Toolbar8", "browser", "internet-web-browser,web-browser", "browser"},
        // Undock takes a strip out into a window of its own; no theme name says that.
        {"Toolbar8", "undock", "", "undock"},
        {"Toolbar7", "range", "", "range"},
        {"Toolbar4", "bold", "format-text-bold", ""},
        {"Toolbar4", "italic", "format-text-italic", ""},
        {"Toolbar4", "underline", "format-text-underline", ""},
        {"Toolbar6", "left", "format-justify-left", ""},
        {"Toolbar6", "center", "format-justify-center", ""},
        {"Toolbar6", "right", "format-justify-right", ""},
        {"Toolbar9", "tab", "format-indent-more", ""},
        {"Toolbar9", "outdent", "format-indent-less", ""},
        {"Toolbar9", "breakline", "", "breakline"},
        {"Toolbar12", "horizontalrule", "", "horizontalrule"},
        {"Toolbar12", "bullets", "format-list-unordered", "bullets"},
        {"Toolbar12", "undock", "", "undock"},
    };
    return table;
}

const ToolIconEntry* findToolIcon(const QString& toolbar, const QString& key)
{
    for (const ToolIconEntry& entry : toolIconTable()) {
        if (toolbar == QLatin1String(entry.toolbar) && key == QLatin1String(entry.key))
            return &entry;
    }
    return nullptr;
}

}
