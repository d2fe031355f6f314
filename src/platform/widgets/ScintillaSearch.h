#pragma once
#include <QString>

class QsciScintillaBase;

namespace ink {

// Find and replace on a Scintilla text, for the code editor's dialogs.
// Searching starts after the selection and wraps round to the start.
class ScintillaSearch {
public:
    struct Options {
        bool matchCase = false;
        bool wholeWord = false;
    };

    ScintillaSearch(QsciScintillaBase& editor, const QString& what, Options options);

    // Selects the next match; false when the text holds none.
    bool findNext();
    // Replaces the selection when it is a match, then selects the next
    // match. False when the text holds no match at all.
    bool replaceAndFindNext(const QString& with);
    // Replaces every match as one undo step; the number replaced.
    int replaceAll(const QString& with);

private:
    // The first match in [start, end), as byte positions; false if none.
    bool search(long start, long end, long& matchStart, long& matchEnd) const;
    bool selectionIsMatch() const;
    long length() const;

    QsciScintillaBase& editor_;
    QByteArray what_;
    int flags_;
};

}
