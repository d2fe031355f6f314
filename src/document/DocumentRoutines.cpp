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

namespace {

// True when the element opened just before `from` is closed exactly by the
// closing tag at `closingAt`, with no other closing of it in between (two
// sibling blocks are not one wrapper).
bool closesAtEnd(const QString& html, const QString& tag, qsizetype from, qsizetype closingAt)
{
    const QString open = QLatin1Char('<') + tag;
    const QString close = QStringLiteral("</") + tag + QLatin1Char('>');
    int depth = 1;
    for (qsizetype at = html.indexOf(QLatin1Char('<'), from); at >= 0 && at < closingAt;
         at = html.indexOf(QLatin1Char('<'), at + 1)) {
        if (html.mid(at, close.size()).compare(close, Qt::CaseInsensitive) == 0) {
            if (--depth == 0)
                return false;
        } else if (html.mid(at, open.size()).compare(open, Qt::CaseInsensitive) == 0) {
            const QChar next = at + open.size() < html.size() ? html[at + open.size()] : QChar();
            if (next == QLatin1Char('>') || next.isSpace())
                ++depth;
        }
    }
    return depth == 1;
}

}

QString stripBlockWrapper(const QString& html)
{
    struct Wrapper {
        const char* opening;
        const char* tag;
    };
    // Tried in this order; the first opening that matches decides.
    static const Wrapper wrappers[] = {
        {"<div>", "div"},           {"<div align=right>", "div"},    {"<div align=left>", "div"},
        {"<div align=center>", "div"}, {"<div align=\"right\">", "div"}, {"<div align=\"left\">", "div"},
        {"<div align=\"center\">", "div"}, {"<p>", "p"},            {"<p align=right>", "p"},
        {"<p align=left>", "p"},   {"<p align=center>", "p"},     {"<p align=\"right\">", "p"},
        {"<p align=\"left\">", "p"}, {"<p align=\"center\">", "p"},
    };
    for (const Wrapper& w : wrappers) {
        const QString opening = QStringLiteral("\r\n") + QLatin1String(w.opening);
        if (!html.startsWith(opening, Qt::CaseInsensitive))
            continue;
        const QString tag = QLatin1String(w.tag);
        const QString closing = QStringLiteral("</") + tag + QLatin1Char('>');
        if (html.size() < opening.size() + closing.size())
            return html;
        // Only a closing tag of this block may go: anything else at the end
        // is the user's text, and the block is then not a wrapper.
        const qsizetype closingAt = html.size() - closing.size();
        if (!html.endsWith(closing, Qt::CaseInsensitive) || !closesAtEnd(html, tag, opening.size(), closingAt))
            return html;
        return html.mid(opening.size(), closingAt - opening.size());
    }
    return html;
}

namespace {
const QString generatorMarker = QStringLiteral("content=\"MSHTML");
const QString generatorName = QStringLiteral("content=\"Inkpress Pro 4.5 DHTML");
}

GeneratorEdit generatorEdit(const QString& text)
{
    GeneratorEdit edit;
    edit.start = text.indexOf(generatorMarker);
    if (edit.start >= 0) {
        edit.length = generatorMarker.size();
        edit.replacement = generatorName;
    }
    return edit;
}

qsizetype generatorMarkerReach()
{
    return generatorMarker.size() - 1;
}

bool holdsGeneratorMarker(QByteArrayView utf8)
{
    static const QByteArray marker = generatorMarker.toUtf8();
    return utf8.indexOf(marker) >= 0;
}

QString applyGeneratorRule(const QString& text)
{
    const GeneratorEdit edit = generatorEdit(text);
    if (edit.start < 0)
        return text;
    return text.left(edit.start) + edit.replacement + text.mid(edit.start + edit.length);
}

}
