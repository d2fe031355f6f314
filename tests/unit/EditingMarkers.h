#pragma once
// Selection markers for source texts in editing tests: "^" is the anchor and
// "|" the caret; a lone "|" is a caret with nothing selected.
#include "editing/CaretMachine.h"

#include <QString>

namespace inktest {

inline ink::CodeText marked(QString text)
{
    ink::CodeText code;
    const int anchorAt = text.indexOf(QLatin1Char('^'));
    const int caretAt = text.indexOf(QLatin1Char('|'));
    if (anchorAt < 0) {
        code.caret = code.anchor = caretAt;
        text.remove(caretAt, 1);
    } else if (anchorAt < caretAt) {
        code.anchor = anchorAt;
        code.caret = caretAt - 1;
        text.remove(caretAt, 1);
        text.remove(anchorAt, 1);
    } else {
        code.caret = caretAt;
        code.anchor = anchorAt - 1;
        text.remove(anchorAt, 1);
        text.remove(caretAt, 1);
    }
    code.text = text;
    return code;
}

inline QString marks(const ink::CodeText& code)
{
    QString text = code.text;
    if (code.anchor == code.caret)
        return text.insert(code.caret, QLatin1Char('|'));
    if (code.anchor > code.caret)
        return text.insert(code.anchor, QLatin1Char('^')).insert(code.caret, QLatin1Char('|'));
    return text.insert(code.caret, QLatin1Char('|')).insert(code.anchor, QLatin1Char('^'));
}

}
