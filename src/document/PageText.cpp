#include "document/PageText.h"

#include "markup/SourceText.h"

#include <QRegularExpression>

namespace ink {

bool isFramesetPage(const QString& text)
{
    return text.contains(QLatin1String("<frameset"));
}

int countTitleTags(const QString& text)
{
    return text.count(QLatin1String("<title"));
}

namespace {

// Where the title's content starts and ends, -1 for what is missing. The
// program's own serialised form writes "<TITLE>" and "</TITLE>"; a page the
// user wrote may spell the element in any case, with attributes.
void findTitle(const QString& page, qsizetype* contentStart, qsizetype* end)
{
    static const QString open = QStringLiteral("<TITLE>");
    static const QString close = QStringLiteral("</TITLE>");
    *end = -1;
    qsizetype start = page.indexOf(open);
    if (start >= 0) {
        *contentStart = start + open.size();
        *end = page.indexOf(close, *contentStart);
        return;
    }
    static const QRegularExpression anyCase(QStringLiteral("<title(\\s[^>]*)?>"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = anyCase.match(page);
    if (!match.hasMatch()) {
        *contentStart = -1;
        return;
    }
    *contentStart = match.capturedEnd();
    *end = page.indexOf(close, *contentStart, Qt::CaseInsensitive);
}

}

TitleEdit replaceTitle(const QString& page, const QString& title)
{
    TitleEdit edit;
    qsizetype contentStart = -1, end = -1;
    findTitle(page, &contentStart, &end);
    if (contentStart < 0)
        return edit;
    if (end < 0) {
        edit.outcome = TitleEdit::NoTitleEnd;
        return edit;
    }
    const QByteArray utf8 = page.toUtf8();
    const QByteArray content = page.mid(contentStart, end - contentStart).toUtf8();
    const QByteArray written = rewriteText(content, title, TextKind::Rcdata, pageFormOf(utf8));
    edit.outcome = TitleEdit::Replaced;
    edit.text = page.left(contentStart) + QString::fromUtf8(written) + page.mid(end);
    return edit;
}

}
