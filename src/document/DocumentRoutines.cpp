#include "document/DocumentRoutines.h"

#include <QStringList>

namespace ink {

const QString& newPageTemplate()
{
    static const QString text = QStringList{
        QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">"),
        QStringLiteral("<HTML>"),
        QStringLiteral("<HEAD>"),
        QStringLiteral("<TITLE>Untitled Web Document</TITLE>"),
        QStringLiteral("<META http-equiv=Content-Type content=\"text/html; charset=windows-1252\">"),
        QStringLiteral("<META content=\"Inkpress Pro 4.5\" name=Generator>"),
        QStringLiteral("<META content=\"\" name=Keywords>"),
        QStringLiteral("<META content=\"\" name=Description>"),
        QStringLiteral("<style>"),
        QStringLiteral("<!--"),
        // Five hex digits, as the page has always been written.
        QStringLiteral(":link{color:#000c0}"),
        QStringLiteral(":visited{color:#c000c0}"),
        QStringLiteral("a:active{color:#000080}"),
        QStringLiteral("a:hover{color:#ff0000}"),
        QStringLiteral("-->"),
        QStringLiteral("</style>"),
        QStringLiteral("</HEAD>"),
        QStringLiteral("<BODY text=#000000 bgColor=#ffffff>"),
        QStringLiteral("<div></div>"),
        QStringLiteral("</BODY>"),
        QStringLiteral("</HTML>"),
    }.join(QStringLiteral("\r\n"));
    return text;
}

QString stripBlockWrapper(const QString& html)
{
    struct Wrapper {
        const char* opening;
        int closingLength;
    };
    // Tried in this order; the first opening that matches decides.
    static const Wrapper wrappers[] = {
        {"<div>", 6},           {"<div align=right>", 6},    {"<div align=left>", 6},
        {"<div align=center>", 6}, {"<div align=\"right\">", 6}, {"<div align=\"left\">", 6},
        {"<div align=\"center\">", 6}, {"<p>", 4},            {"<p align=right>", 4},
        {"<p align=left>", 4},   {"<p align=center>", 4},     {"<p align=\"right\">", 4},
        {"<p align=\"left\">", 4}, {"<p align=\"center\">", 4},
    };
    for (const Wrapper& w : wrappers) {
        const QString opening = QStringLiteral("\r\n") + QLatin1String(w.opening);
        if (!html.startsWith(opening, Qt::CaseInsensitive))
            continue;
        if (html.size() < opening.size() + w.closingLength)
            return html;
        return html.mid(opening.size(), html.size() - opening.size() - w.closingLength);
    }
    return html;
}

QString applyGeneratorRule(const QString& text)
{
    static const QString marker = QStringLiteral("content=\"MSHTML");
    const int at = text.indexOf(marker);
    if (at < 0)
        return text;
    return text.left(at) + QStringLiteral("content=\"Inkpress Pro 4.5 DHTML")
        + text.mid(at + marker.size());
}

}
