#include "editing/CaretMachine.h"

namespace ink {

namespace {

void moveTo(CodeText& code, int position)
{
    code.anchor = code.caret = qBound(0, position, int(code.text.size()));
}

// Start of the line that holds `position`; a line ends with LF (CR LF).
int lineStart(const QString& text, int position)
{
    if (position <= 0)
        return 0;
    const int lf = text.lastIndexOf(QLatin1Char('\n'), position - 1);
    return lf < 0 ? 0 : lf + 1;
}

// Length of the line starting at `start`, without its CR LF or LF.
int lineLength(const QString& text, int start)
{
    int end = text.indexOf(QLatin1Char('\n'), start);
    if (end < 0)
        end = text.size();
    if (end > start && text.at(end - 1) == QLatin1Char('\r'))
        --end;
    return end - start;
}

// Up keeps the column where the previous line is long enough; on the first
// line the caret stays where it is.
void moveUp(CodeText& code)
{
    const int start = lineStart(code.text, code.caret);
    if (start == 0) {
        moveTo(code, code.caret);
        return;
    }
    const int column = code.caret - start;
    const int previous = lineStart(code.text, start - 1);
    moveTo(code, previous + qMin(column, lineLength(code.text, previous)));
}

}

void replaceSelection(CodeText& code, const QString& replacement)
{
    const int start = code.selectionStart();
    code.text.replace(start, code.selectionEnd() - start, replacement);
    code.anchor = start;
    code.caret = start + replacement.size();
}

void applyKey(CodeText& code, Key key)
{
    const int length = code.text.size();
    switch (key) {
    case Key::Right:
        moveTo(code, code.anchor != code.caret ? code.selectionEnd() : code.caret + 1);
        break;
    case Key::Left:
        moveTo(code, code.caret - 1);
        break;
    case Key::ShiftLeft:
        code.caret = qMax(0, code.caret - 1);
        break;
    case Key::ShiftRight:
        code.caret = qMin(length, code.caret + 1);
        break;
    case Key::CtrlHome:
        moveTo(code, 0);
        break;
    case Key::ShiftCtrlEnd:
        code.anchor = code.caret;
        code.caret = length;
        break;
    case Key::Up:
        moveUp(code);
        break;
    case Key::Home:
        moveTo(code, lineStart(code.text, code.caret));
        break;
    case Key::Tab:
        // Moves the focus on the design surface; the source text is untouched.
        break;
    }
}

void applyKeys(CodeText& code, const KeySequence& keys)
{
    for (Key key : keys)
        applyKey(code, key);
}

}
