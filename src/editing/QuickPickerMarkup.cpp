#include "editing/QuickPickerMarkup.h"

#include <QByteArray>

namespace ink {

QString innerStringFromAnswer(const QString& answer)
{
    return answer.isEmpty() ? QString() : QLatin1Char(' ') + answer;
}

QString fileNameUrl(const QString& fileName)
{
    // Letters, digits and "-._~" are never encoded; these sub-delimiters
    // are safe in a path segment and in a double-quoted attribute too.
    static const QByteArray keep("!$'()*+,;=:@");
    return QString::fromLatin1(fileName.toUtf8().toPercentEncoding(keep));
}

QString quickLinkOpening(const QString& fileName, const QString& innerString)
{
    return QStringLiteral("<A href=\"") + fileNameUrl(fileName) + QLatin1Char('"') + innerString
        + QLatin1Char('>');
}

QString quickLinkText(const QString& fileName)
{
    return fileName.toHtmlEscaped();
}

QString quickImageElement(const QString& fileName, const QString& innerString)
{
    return QStringLiteral("<IMG src=\"images/") + fileNameUrl(fileName) + QLatin1Char('"')
        + innerString + QLatin1Char('>');
}

}
