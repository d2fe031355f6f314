#pragma once

class QWidget;

namespace ink {

class CodeEditor;

// The Library menu. Both dialogs start in the library folder, but any file
// and folder can be chosen; a failure is told to the user and leaves the
// page as it was.

// Replaces the code editor's selection with the text of a chosen file.
void importLibraryFile(CodeEditor* code, QWidget* owner);
// Saves the code editor's selected text, plus a line break, as a chosen
// file; asks before replacing an existing one.
void exportLibraryFile(CodeEditor* code, QWidget* owner);

}
