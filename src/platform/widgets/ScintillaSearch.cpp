#include "platform/widgets/ScintillaSearch.h"

#include "platform/widgets/ScintillaText.h"

#include <Qsci/qsciscintillabase.h>

namespace ink {

using Sci = QsciScintillaBase;

ScintillaSearch::ScintillaSearch(QsciScintillaBase& editor, const QString& what, Options options)
    : editor_(editor), what_(scintillatext::encode(what)),
      flags_((options.matchCase ? Sci::SCFIND_MATCHCASE : 0) |
             (options.wholeWord ? Sci::SCFIND_WHOLEWORD : 0))
{
}

long ScintillaSearch::length() const
{
    return editor_.SendScintilla(Sci::SCI_GETTEXTLENGTH);
}

bool ScintillaSearch::search(long start, long end, long& matchStart, long& matchEnd) const
{
    if (what_.isEmpty() || start >= end)
        return false;
    editor_.SendScintilla(Sci::SCI_SETSEARCHFLAGS, flags_);
    editor_.SendScintilla(Sci::SCI_SETTARGETSTART, start);
    editor_.SendScintilla(Sci::SCI_SETTARGETEND, end);
    const long found = editor_.SendScintilla(Sci::SCI_SEARCHINTARGET, uintptr_t(what_.size()),
                                             what_.constData());
    if (found < 0)
        return false;
    matchStart = found;
    matchEnd = editor_.SendScintilla(Sci::SCI_GETTARGETEND);
    return true;
}

bool ScintillaSearch::findNext()
{
    const long from = editor_.SendScintilla(Sci::SCI_GETSELECTIONEND);
    long start = 0;
    long end = 0;
    if (!search(from, length(), start, end) && !search(0, length(), start, end))
        return false;
    editor_.SendScintilla(Sci::SCI_SETSEL, start, end);
    editor_.SendScintilla(Sci::SCI_SCROLLCARET);
    return true;
}

bool ScintillaSearch::selectionIsMatch() const
{
    const long selStart = editor_.SendScintilla(Sci::SCI_GETSELECTIONSTART);
    const long selEnd = editor_.SendScintilla(Sci::SCI_GETSELECTIONEND);
    long start = 0;
    long end = 0;
    return search(selStart, selEnd, start, end) && start == selStart && end == selEnd;
}

bool ScintillaSearch::replaceAndFindNext(const QString& with)
{
    if (selectionIsMatch()) {
        const QByteArray bytes = scintillatext::encode(with);
        const long start = editor_.SendScintilla(Sci::SCI_GETSELECTIONSTART);
        editor_.SendScintilla(Sci::SCI_SETTARGETSTART, start);
        editor_.SendScintilla(Sci::SCI_SETTARGETEND, editor_.SendScintilla(Sci::SCI_GETSELECTIONEND));
        editor_.SendScintilla(Sci::SCI_REPLACETARGET, uintptr_t(bytes.size()), bytes.constData());
        const long after = start + bytes.size();
        editor_.SendScintilla(Sci::SCI_SETSEL, after, after);
    }
    return findNext();
}

int ScintillaSearch::replaceAll(const QString& with)
{
    const QByteArray bytes = scintillatext::encode(with);
    int count = 0;
    long from = 0;
    long start = 0;
    long end = 0;
    editor_.SendScintilla(Sci::SCI_BEGINUNDOACTION);
    while (search(from, length(), start, end)) {
        editor_.SendScintilla(Sci::SCI_REPLACETARGET, uintptr_t(bytes.size()), bytes.constData());
        from = start + bytes.size();
        ++count;
    }
    editor_.SendScintilla(Sci::SCI_ENDUNDOACTION);
    if (count > 0)
        editor_.SendScintilla(Sci::SCI_SETSEL, from, from);
    return count;
}

}
