#pragma once
#include "editing/widgets/InsertionEngine.h"
#include "styles/StyleCommandTable.h"
#include "styles/StyleRule.h"
#include "styles/widgets/CssDialogWindow.h"

class QWidget;

namespace ink {

// Writes one declaration, wrapped as the options say, into the code editor
// in place of its selection, and selects the selector's placeholder name
// (or puts the caret after the rule when there is none). One undo step.
void insertStyleRule(const EditTarget& target, const StyleOptions& options,
                     const QString& declaration);

// Writes the embedded style block and puts the caret on its empty line.
void newStyle(const EditTarget& target);

// Asks for a CSS file and puts its text in place of the selection. A file
// that cannot be read is named in a message and nothing is inserted.
void importStyle(const EditTarget& target, QWidget* owner);

// Asks for a file name, writes the selected text to it (asking before an
// existing file is replaced) and puts a link to the file in place of the
// selection. When the file cannot be written a message says why and the
// selection stays as it was.
void exportStyle(const EditTarget& target, const QString& pageFolder, QWidget* owner);

// Opens the CSS dialog of that name; returns it, or null for an unknown name.
CssDialogWindow* openCssDialog(const QString& name, QWidget* owner, const CssDialogServices& services);

// Runs one property command of the Style menu.
void runStyleCommand(const StyleCommand& command, QWidget* owner, const CssDialogServices& services);

}
