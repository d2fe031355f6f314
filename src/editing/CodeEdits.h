#pragma once
#include "editing/CaretMachine.h"
#include "platform/Keystroke.h"

#include <QString>
#include <optional>

namespace ink {

// One edit of the code editor's selection: the replacement is put in place of
// the selection (and ends selected), then the keys run. Every Code-view
// command of the editing menus is one of these, made from the selected text.
struct CodeEdit {
    QString replacement;
    KeySequence keys;
};

// The replacement as it stands, still selected.
CodeEdit replaceCodeSelection(const QString& text);

// opening + selected + closing, with exactly the old text selected again (the
// caret between the tags when nothing was selected).
CodeEdit wrapCodeSelection(const QString& selected, const QString& opening, const QString& closing);

// Wraps the selection in <tag>...</tag>, or, when the selection holds <tag>
// (exact, case-sensitive), removes that start tag and the first </tag> after
// it, keeping the text around them and selecting what stood between them.
CodeEdit toggleCodeTag(const QString& selected, const QString& tag);

// The text and selection that wrapping gives, with the selection's anchor at
// the start of the old text, which is how the editor's own caret commands
// leave it after putting the text back between the tags.
CodeEdit insertAroundCodeSelection(const QString& selected, const QString& opening,
                                   const QString& closing);

// A list with one item holding the selection, or "&nbsp;" when nothing is
// selected; that item text ends selected.
CodeEdit listCodeSelection(const QString& selected, const QString& opening, const QString& closing);

// "<BR>" in place of the selection, caret after it.
CodeEdit breakLineCodeSelection();

// The font size slider's result: the selection between <FONT size=v> and its
// end tag, selected; the same as choosing v in the size combo.
CodeEdit fontSizeSliderCodeSelection(const QString& selected, int value);

// Takes one indent level off the selection: when it holds a BLOCKQUOTE start
// tag and that element's end tag, both tags go and what stood between them is
// selected; the text around them stays. Nothing to take off gives no edit.
std::optional<CodeEdit> outdentCodeSelection(const QString& selected);

// The editor's state after running `edit` on `before`.
CodeText applyCodeEdit(const CodeText& before, const CodeEdit& edit);

}
