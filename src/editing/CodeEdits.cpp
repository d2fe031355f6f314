#include "editing/CodeEdits.h"

#include "editing/FontControls.h"

namespace ink {

namespace {

// Keys that, after the replacement, select `length` characters ending
// `fromEnd` characters before the replacement's end, the anchor at their end.
KeySequence reselectBackwards(int fromEnd, int length)
{
    KeySequence keys{Key::Right};
    appendKeys(keys, Key::Left, fromEnd);
    appendKeys(keys, Key::ShiftLeft, length);
    return keys;
}

// Replaces the selection by before + inner + after with inner selected. An
// empty replacement leaves the caret where the selection was: "{right}"
// would move it on.
CodeEdit keepInnerSelected(const QString& before, const QString& inner, const QString& after)
{
    const QString replacement = before + inner + after;
    if (replacement.isEmpty())
        return {replacement, {}};
    return {replacement, reselectBackwards(after.size(), inner.size())};
}

// Position of the end tag that closes the BLOCKQUOTE whose start tag ends
// just before `from`, counting nested ones; -1 when it is not there.
int matchingBlockquoteEnd(const QString& text, int from)
{
    const QString start = QStringLiteral("<BLOCKQUOTE");
    const QString end = QStringLiteral("</BLOCKQUOTE>");
    int depth = 1;
    int position = from;
    while (true) {
        const int nextEnd = text.indexOf(end, position);
        if (nextEnd < 0)
            return -1;
        const int nextStart = text.indexOf(start, position);
        if (nextStart >= 0 && nextStart < nextEnd) {
            ++depth;
            position = nextStart + start.size();
            continue;
        }
        if (--depth == 0)
            return nextEnd;
        position = nextEnd + end.size();
    }
}

// First BLOCKQUOTE start tag: "<BLOCKQUOTE" followed by ">" or a space.
int firstBlockquoteStart(const QString& text)
{
    const QString start = QStringLiteral("<BLOCKQUOTE");
    for (int at = text.indexOf(start); at >= 0; at = text.indexOf(start, at + 1)) {
        const int next = at + start.size();
        if (next < text.size() && (text.at(next) == QLatin1Char('>') || text.at(next).isSpace()))
            return at;
    }
    return -1;
}

}

CodeEdit replaceCodeSelection(const QString& text)
{
    return {text, {}};
}

CodeEdit wrapCodeSelection(const QString& selected, const QString& opening, const QString& closing)
{
    return keepInnerSelected(opening, selected, closing);
}

CodeEdit toggleCodeTag(const QString& selected, const QString& tag)
{
    const QString opening = QLatin1Char('<') + tag + QLatin1Char('>');
    const QString closing = QStringLiteral("</") + tag + QLatin1Char('>');
    const int openAt = selected.indexOf(opening);
    if (openAt < 0)
        return wrapCodeSelection(selected, opening, closing);

    // The user's text outside the element stays; only the tags go.
    const QString before = selected.left(openAt);
    const QString rest = selected.mid(openAt + opening.size());
    const int closeAt = rest.indexOf(closing);
    if (closeAt < 0)
        return keepInnerSelected(before, rest, QString());
    return keepInnerSelected(before, rest.left(closeAt), rest.mid(closeAt + closing.size()));
}

CodeEdit insertAroundCodeSelection(const QString& selected, const QString& opening,
                                   const QString& closing)
{
    KeySequence keys{Key::Right};
    appendKeys(keys, Key::Left, closing.size() + selected.size());
    appendKeys(keys, Key::ShiftRight, selected.size());
    return {opening + selected + closing, keys};
}

CodeEdit listCodeSelection(const QString& selected, const QString& opening, const QString& closing)
{
    const QString item = selected.isEmpty() ? QStringLiteral("&nbsp;") : selected;
    return wrapCodeSelection(item, opening, closing);
}

CodeEdit breakLineCodeSelection()
{
    return {QStringLiteral("<BR>"), {Key::Right}};
}

CodeEdit fontSizeSliderCodeSelection(const QString& selected, int value)
{
    return insertAroundCodeSelection(selected, fontSizeOpening(QString::number(value)), fontClosing());
}

std::optional<CodeEdit> outdentCodeSelection(const QString& selected)
{
    const int startAt = firstBlockquoteStart(selected);
    if (startAt < 0)
        return std::nullopt;
    const int startTagEnd = selected.indexOf(QLatin1Char('>'), startAt);
    const int endAt = matchingBlockquoteEnd(selected, startTagEnd + 1);
    if (endAt < 0)
        return std::nullopt;
    const int afterEnd = endAt + QStringLiteral("</BLOCKQUOTE>").size();
    return keepInnerSelected(selected.left(startAt),
                             selected.mid(startTagEnd + 1, endAt - startTagEnd - 1),
                             selected.mid(afterEnd));
}

CodeText applyCodeEdit(const CodeText& before, const CodeEdit& edit)
{
    CodeText after = before;
    replaceSelection(after, edit.replacement);
    applyKeys(after, edit.keys);
    return after;
}

}
