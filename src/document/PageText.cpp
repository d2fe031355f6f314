#include "document/PageText.h"

namespace ink {

bool isFramesetPage(const QString& text)
{
    return text.contains(QLatin1String("<frameset"));
}

int countTitleTags(const QString& text)
{
    return text.count(QLatin1String("<title"));
}

TitleEdit replaceTitle(const QString& page, const QString& title)
{
    static const QString open = QStringLiteral("<TITLE>");
    static const QString close = QStringLiteral("</TITLE>");
    TitleEdit edit;
    const int start = page.indexOf(open);
    if (start < 0)
        return edit;
    const int contentStart = start + open.size();
    const int end = page.indexOf(close, contentStart);
    if (end < 0) {
        edit.outcome = TitleEdit::NoTitleEnd;
        return edit;
    }
    QString escaped = title;
    escaped.replace(QLatin1Char('&'), QLatin1String("&amp;"));
    escaped.replace(QLatin1Char('<'), QLatin1String("&lt;"));
    edit.outcome = TitleEdit::Replaced;
    edit.text = page.left(contentStart) + escaped + page.mid(end);
    return edit;
}

}
