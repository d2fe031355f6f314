#include "platform/widgets/ScintillaTypedText.h"

namespace ink {

void ScintillaTypedText::userInserted(qsizetype position, const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return;
    if (position == runEnd_)
        run_ += bytes;
    else
        run_ = bytes;
    runEnd_ = position + bytes.size();
}

void ScintillaTypedText::userDeleted(qsizetype position, qsizetype length)
{
    const bool takesRunTail = runEnd_ >= 0 && position + length == runEnd_ && length <= run_.size();
    if (!takesRunTail) {
        runEnd_ = -1;
        return;
    }
    run_.chop(length);
    runEnd_ = run_.isEmpty() ? -1 : position;
}

void ScintillaTypedText::otherChange()
{
    runEnd_ = -1;
}

}
