#pragma once
#include "editing/CodeEdits.h"

#include <QString>
#include <functional>

namespace ink {

class CodeEditor;
class DesignSurface;

// The page an editing command writes into: the active document window's two
// editors, which of its views is shown (tested once per command), and how to
// give that window the keyboard focus back. A missing editor makes every
// operation on it do nothing.
struct EditTarget {
    DesignSurface* design = nullptr;
    CodeEditor* code = nullptr;
    bool designView = false;
    std::function<void()> focusDocument;
};

// Code path: each works on the code editor's selection as plain text.
void applyCodeEdit(const EditTarget& target, const CodeEdit& edit);
void replaceCodeSelection(const EditTarget& target, const QString& text);
void wrapCodeSelection(const EditTarget& target, const QString& opening, const QString& closing);
void toggleCodeTag(const EditTarget& target, const QString& tag);
// The same text as wrapping, made with the editor's own caret commands, for
// commands started from a widget that keeps the keyboard focus.
void insertAroundCodeSelection(const EditTarget& target, const QString& opening,
                               const QString& closing);

// Design path.
void runDesignCommand(const EditTarget& target, int id);
void runDesignCommand(const EditTarget& target, int id, const QString& value);
void pasteAtDesignSelection(const EditTarget& target, const QString& html);
// The HTML of the selection: a text range's HTML, or the first selected
// element's outer HTML for a control selection.
QString selectedDesignHtml(const EditTarget& target);

struct DesignWrapOptions {
    bool stripBlock = true;  // a whole selected DIV or P loses its own tags first
    bool reselect = true;    // the wrapped content ends selected
};
// Replaces the selection by opening + its HTML + closing, then gives the
// document window the focus.
void wrapDesignSelection(const EditTarget& target, const QString& opening, const QString& closing,
                         DesignWrapOptions options = {});

// focusActiveDocument for the target's window.
void focusDocument(const EditTarget& target);

}
