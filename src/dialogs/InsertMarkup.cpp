#include "dialogs/InsertMarkup.h"

#include <QDir>

namespace ink {

namespace {

const QChar quote = QLatin1Char('"');

QString quoted(const QString& typed)
{
    return quote + quotedAttributeValue(typed) + quote;
}

// " name=" + the length, or nothing when it is empty or no length.
QString lengthAttribute(const char* name, const Length& length)
{
    const std::optional<QString> value = lengthValue(length);
    return value ? QLatin1Char(' ') + QLatin1String(name) + QLatin1Char('=') + *value : QString();
}

// Selects `length` characters that end `fromEnd` characters before the end
// of the inserted markup.
CodeEdit selectBeforeEnd(const QString& markup, int fromEnd, int length)
{
    KeySequence keys{Key::Right};
    appendKeys(keys, Key::Left, fromEnd);
    appendKeys(keys, Key::ShiftLeft, length);
    return {markup, keys};
}

// A bookmark's name as written and as a link's fragment: without the "#"
// that may have been typed in front of it.
QString withoutHash(const QString& name)
{
    return name.startsWith(QLatin1Char('#')) ? name.mid(1) : name;
}

QString styleAttribute(const QString& backColour)
{
    return QStringLiteral(" style=\" BACKGROUND-COLOR: ") + backColour + quote;
}

} // namespace

QString imageMarkup(const ImageFields& image)
{
    QString markup;
    if (!image.link.isEmpty())
        markup += QStringLiteral("<A href=") + quoted(image.link) + QLatin1Char('>');
    markup += QStringLiteral("<IMG");
    markup += lengthAttribute("height", image.height);
    if (!image.tip.isEmpty())
        markup += QStringLiteral(" alt=") + quoted(image.tip);
    markup += QStringLiteral(" src=") + quoted(image.source);
    markup += lengthAttribute("width", image.width);
    markup += QStringLiteral(" border=") + QString::number(image.border) + QLatin1Char('>');
    if (!image.link.isEmpty())
        markup += QStringLiteral("</A>");
    return markup;
}

QString hyperlinkShownText(const HyperlinkFields& link)
{
    return link.displayedText.isEmpty() ? link.address : link.displayedText;
}

QString hyperlinkMarkup(const HyperlinkFields& link)
{
    QString markup = QStringLiteral("<A ");
    if (!link.tip.isEmpty())
        markup += QStringLiteral("title=") + quoted(link.tip) + QLatin1Char(' ');
    markup += QStringLiteral("href=\"") + quotedAttributeValue(link.address);
    if (!link.bookmark.isEmpty())
        markup += QLatin1Char('#') + quotedAttributeValue(withoutHash(link.bookmark));
    markup += quote;
    if (!link.target.isEmpty())
        markup += QStringLiteral(" target=") + attributeValueAsTyped(link.target);
    return markup + QLatin1Char('>') + hyperlinkShownText(link) + QStringLiteral("</A>");
}

CodeEdit hyperlinkCodeEdit(const HyperlinkFields& link)
{
    return selectBeforeEnd(hyperlinkMarkup(link), 4, hyperlinkShownText(link).size());
}

QString bookmarkMarkup(const BookmarkFields& bookmark)
{
    return QStringLiteral("<A name=") + quoted(withoutHash(bookmark.anchor)) + QLatin1Char('>')
        + bookmark.text + QStringLiteral("</A>");
}

CodeEdit bookmarkCodeEdit(const BookmarkFields& bookmark)
{
    return selectBeforeEnd(bookmarkMarkup(bookmark), 4, bookmark.text.size());
}

int pointSizeOfStep(int step)
{
    static const int points[] = {8, 10, 12, 14, 18, 24, 36};
    return points[qBound(1, step, 7) - 1];
}

QString hyperbuttonMarkup(const HyperbuttonFields& button)
{
    return QStringLiteral("<FORM action=") + quoted(button.address) + QStringLiteral("><INPUT")
        + QStringLiteral(" style=\"FONT-SIZE: ") + QString::number(pointSizeOfStep(button.sizeStep))
        + QLatin1Char(';') + QStringLiteral(" COLOR: ") + button.foreColour + QLatin1Char(';')
        + QStringLiteral(" FONT-FAMILY: ") + quotedAttributeValue(button.fontName) + QLatin1Char(';')
        + QStringLiteral(" BACKGROUND-COLOR: ") + button.backColour + quote
        + QStringLiteral(" type=submit value=") + quoted(button.caption) + QStringLiteral("></FORM>");
}

QString marqueeMarkup(const MarqueeFields& marquee)
{
    const QString style = marquee.backColour.isEmpty() ? QString() : styleAttribute(marquee.backColour);
    QString markup = QStringLiteral("<MARQUEE") + style;
    if (marquee.directionRight)
        markup += QStringLiteral(" direction=right");
    if (marquee.behaviour == MarqueeBehaviour::Slide)
        markup += QStringLiteral(" behavior=slide");
    else if (marquee.behaviour == MarqueeBehaviour::Alternate)
        markup += QStringLiteral(" behavior=alternate");
    if (marquee.loop != 0)
        markup += QStringLiteral(" loop=") + QString::number(marquee.loop);
    if (marquee.delay != 0)
        markup += QStringLiteral(" delay=\"") + QString::number(marquee.delay) + quote;
    if (marquee.amount != 0)
        markup += QStringLiteral(" amount=\"") + QString::number(marquee.amount) + quote;
    markup += QStringLiteral("><FONT") + style + QStringLiteral(" face=") + quoted(marquee.fontName)
        + QStringLiteral(" color=") + marquee.foreColour + QStringLiteral(" size=")
        + QString::number(qBound(1, marquee.sizeStep, 7)) + QLatin1Char('>');
    return markup + marquee.text + QStringLiteral("</FONT></MARQUEE>");
}

QString marqueePreview(const MarqueeFields& marquee, const QString& pageBackground)
{
    return QStringLiteral("<BODY bgColor=") + pageBackground + QLatin1Char('>') + marqueeMarkup(marquee)
        + QStringLiteral("</BODY>");
}

CodeEdit marqueeCodeEdit(const MarqueeFields& marquee)
{
    return selectBeforeEnd(marqueeMarkup(marquee), 17, marquee.text.size());
}

QString inlineFrameMarkup(const InlineFrameFields& frame)
{
    QString markup = QStringLiteral("<iframe src=") + quoted(frame.source) + QLatin1Char(' ');
    if (!frame.name.isEmpty())
        markup += QStringLiteral("name=") + quoted(frame.name) + QLatin1Char(' ');
    markup += frame.border ? QStringLiteral("frameborder=1 ") : QStringLiteral("frameborder=0 ");
    if (!frame.scrolling)
        markup += QStringLiteral("scrolling=no ");
    if (frame.align == FrameAlign::Center)
        markup += QStringLiteral("align=center ");
    else if (frame.align == FrameAlign::Right)
        markup += QStringLiteral("align=right ");
    // The frame's attributes each end in a blank rather than start with one.
    if (const std::optional<QString> height = lengthValue(frame.height))
        markup += QStringLiteral("height=") + *height + QLatin1Char(' ');
    if (const std::optional<QString> width = lengthValue(frame.width))
        markup += QStringLiteral("width=") + *width + QLatin1Char(' ');
    return markup + QStringLiteral("></iframe>");
}

QString referencedSourcePath(const QString& html, const QString& pageFolder)
{
    int at = html.indexOf(QStringLiteral("src="));
    if (at < 0)
        at = html.indexOf(QStringLiteral("SRC="));
    if (at < 0)
        return {};
    const QString rest = html.mid(at + 4);
    QString value;
    const int open = rest.indexOf(quote);
    if (open >= 0) {
        const int close = rest.indexOf(quote, open + 1);
        value = close < 0 ? rest.mid(open + 1) : rest.mid(open + 1, close - open - 1);
    } else {
        const int blank = rest.indexOf(QLatin1Char(' '));
        value = blank < 0 ? rest : rest.left(blank);
    }
    value.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (value.isEmpty())
        return {};
    return QDir::cleanPath(pageFolder + QLatin1Char('/') + value);
}

}
