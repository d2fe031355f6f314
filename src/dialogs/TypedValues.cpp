#include "dialogs/TypedValues.h"

#include <QRegularExpression>

namespace ink {

namespace {

const QChar quote = QLatin1Char('"');

QRegularExpressionMatch lengthMatch(const QString& typed)
{
    static const QRegularExpression length(QStringLiteral("^\\s*(\\d+(?:\\.\\d+)?)\\s*(%|px)?\\s*$"),
                                           QRegularExpression::CaseInsensitiveOption);
    return length.match(typed);
}

} // namespace

QString quotedAttributeValue(const QString& typed)
{
    QString value = typed;
    return value.replace(quote, QStringLiteral("&quot;"));
}

QString attributeValueAsTyped(const QString& typed)
{
    static const QRegularExpression needsQuotes(QStringLiteral("[\\s\"'=<>`]"));
    if (!typed.contains(needsQuotes))
        return typed;
    return quote + quotedAttributeValue(typed) + quote;
}

std::optional<QString> lengthValue(const Length& length)
{
    const QRegularExpressionMatch match = lengthMatch(length.text);
    if (!match.hasMatch())
        return std::nullopt;
    const QString unit = match.captured(2).toLower();
    const bool percent = unit == QLatin1String("%") || (unit.isEmpty() && length.percentage);
    return match.captured(1) + (percent ? QStringLiteral("%") : QString());
}

QString lengthFieldMessage(const QString& typed)
{
    if (typed.trimmed().isEmpty() || lengthMatch(typed).hasMatch())
        return QString();
    return QStringLiteral("A number, with % or px");
}

}
