#pragma once
#include <vector>

namespace ink {

// The caret keystrokes that editing recipes are written in. Each one has the
// effect of the key it is named after, applied directly to the editor that
// receives it (no key events are synthesised).
enum class Key {
    Right,        // "{right}": collapse a selection to its end, else caret one right
    Left,         // "{left}": caret one left (a selection collapses at its caret first)
    ShiftLeft,    // "+{left}": extend the selection one character left
    ShiftRight,   // "+{right}": extend the selection one character right
    Tab,          // "{tab}": design surface only; moves the focus on
    CtrlHome,     // "^{HOME}": caret to the start of the text
    ShiftCtrlEnd, // "+^{END}": select from the caret to the end of the text
    Up,           // "{up}": caret one line up
    Home,         // "{home}": caret to the start of the line
};

using KeySequence = std::vector<Key>;

// Appends `count` copies of `key`.
inline void appendKeys(KeySequence& keys, Key key, int count)
{
    for (int i = 0; i < count; ++i)
        keys.push_back(key);
}

} // namespace ink
