#pragma once
#include "platform/Keystroke.h"

#include <QString>

namespace ink {

// Source text with a selection, the way the code editor holds it. Positions
// count QString characters, so a CR LF is two of them, as the caret recipes
// count. anchor == caret means nothing is selected.
struct CodeText {
    QString text;
    int anchor = 0;
    int caret = 0;

    int selectionStart() const { return qMin(anchor, caret); }
    int selectionEnd() const { return qMax(anchor, caret); }
    QString selectedText() const { return text.mid(selectionStart(), selectionEnd() - selectionStart()); }
    bool operator==(const CodeText& other) const
    {
        return text == other.text && anchor == other.anchor && caret == other.caret;
    }
};

// Puts `replacement` in place of the selection (at the caret when nothing is
// selected) and selects it, anchor at its start, as the code editor does.
void replaceSelection(CodeText& code, const QString& replacement);

// Applies one caret keystroke with the effect the editing recipes rely on.
void applyKey(CodeText& code, Key key);
void applyKeys(CodeText& code, const KeySequence& keys);

}
