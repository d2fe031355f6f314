#include "document/PageOpening.h"

#include "document/DocumentRoutines.h"
#include "document/PageText.h"

namespace ink {

PageOpening readPageForOpening(const QString& path)
{
    PageOpening opening;
    opening.content = readPageFile(path);
    if (!opening.content.ok)
        return opening;
    const PageFileContent& content = opening.content;
    opening.frameset = isFramesetPage(content.text);
    opening.titleTags = countTitleTags(content.text);
    const QByteArrayView utf8 = content.utf8();
    opening.keepsItsText =
        utf8.isEmpty() ? generatorEdit(content.text).start < 0 : !holdsGeneratorMarker(utf8);
    opening.declaredCharset = declaredCharsetOfText(content.text);
    return opening;
}

}
