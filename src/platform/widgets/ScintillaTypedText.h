#pragma once
#include <QByteArray>

namespace ink {

// Remembers what the user last typed or pasted, for the editor's repeat
// command. Consecutive insertions that each start where the previous one
// ended (typing a word, Enter, typing on) form one run; backspacing at the
// end of the run takes characters off it. Any other change of the text ends
// the run, so the next typing starts a new one. Positions and text are the
// editor's UTF-8 bytes.
class ScintillaTypedText {
public:
    void userInserted(qsizetype position, const QByteArray& bytes);
    void userDeleted(qsizetype position, qsizetype length);
    // A change the user did not type (a command's insertion, undo, ...).
    void otherChange();

    const QByteArray& text() const { return run_; }

private:
    QByteArray run_;
    qsizetype runEnd_ = -1; // -1: the run cannot be continued
};

}
