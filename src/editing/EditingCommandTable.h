#pragma once
#include "editing/CodeEdits.h"
#include "platform/Keystroke.h"

#include <QString>
#include <optional>
#include <vector>

namespace ink {

// What a command does to the code editor's selection.
enum class CodeOperation {
    Nothing,    // the command leaves the source alone
    ToggleTag,  // toggleCodeTag with codeOpening as the tag name
    Wrap,       // wrapCodeSelection with codeOpening and codeClosing
    Replace,    // replaceCodeSelection with codeOpening
    List,       // a list around the selection ("&nbsp;" when empty)
    BreakLine,  // "<BR>" with the caret after it
    Outdent,    // takes off one enclosing BLOCKQUOTE the selection holds
};

// What a command does in the Design view.
enum class DesignOperation {
    CodeOnly,  // no Design path: works on the code editor in either view
    Command,   // runs designCommand
    Wrap,      // wraps the selection's HTML in designOpening and designClosing
    Paste,     // pastes designOpening in place of the selection
    List,      // a list around the selection's HTML ("&nbsp;" when empty)
};

// One editing command of the Text, Edit and Insert menus and of the main
// window's formatting tool bars.
struct EditingCommand {
    QString name;        // the menu item's name
    QString caption;
    QString toolbarKey;  // key of the main window's button for it, or empty
    CodeOperation codeOperation = CodeOperation::Nothing;
    QString codeOpening;
    QString codeClosing;
    DesignOperation designOperation = DesignOperation::CodeOnly;
    int designCommand = 0;
    QString designOpening;
    QString designClosing;
    bool stripBlock = false;  // Wrap: drop the tags of a whole selected DIV or P first
    bool reselect = false;    // Wrap: select the wrapped content afterwards
    bool focusAfter = false;  // give the focus back to the document window
    KeySequence designKeys;   // caret keys for the surface after a Paste
};

const std::vector<EditingCommand>& editingCommands();
const EditingCommand* findEditingCommand(const QString& name);
const EditingCommand* findEditingCommandForToolbarKey(const QString& key);

// The command's edit of the selected source text; none when it leaves the
// source unchanged.
std::optional<CodeEdit> codeEditForCommand(const EditingCommand& command, const QString& selected);

}
