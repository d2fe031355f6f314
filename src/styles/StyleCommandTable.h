#pragma once
#include <QString>
#include <vector>

namespace ink {

// What one property command of the Style menu does.
struct StyleCommand {
    enum Kind {
        Fixed,  // writes `text` as the declaration at once
        Colour, // asks for a colour, then writes `text` + the colour text
        Dialog, // opens the CSS dialog named `text`
    };
    const char* menuItem;
    Kind kind;
    const char* text;
};

// Every property command of the Style menu's five submenus.
const std::vector<StyleCommand>& styleCommands();

// The embedded style block New Style writes: five lines, the third empty,
// no line break after the last.
QString styleBlockText();

// The file Export Style writes for the name the user chose: a name without
// an extension gets ".css", any other name is kept as it is.
QString styleSheetPath(const QString& chosen);

// The link element that takes the exported text's place. It names the file
// exactly as written, by its path relative to `pageFolder` ("css/other.css",
// "../x.css"), percent-encoded where a URL needs it; by its name alone when
// the page has no folder.
QString styleSheetLink(const QString& writtenPath, const QString& pageFolder);

// The file filter of Import Style and Export Style.
inline QString styleSheetFilter() { return QStringLiteral("CSS Files|*.css|All Files|*.*"); }

}
