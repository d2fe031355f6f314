#include "markup/SourceText.h"

#include <QHash>
#include <QRegularExpression>
#include <gumbo.h>

#include <algorithm>

namespace ink {

namespace {

bool isAsciiAlnum(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// A character reference's text as a browser reads it inside a paragraph,
// from the parser the source tree uses: "&eacute;" gives "é", "&notit;"
// gives "¬it;", "&bogus;" gives itself.
QString decodeReference(const QByteArray& reference)
{
    static thread_local QHash<QByteArray, QString> known;
    const auto found = known.constFind(reference);
    if (found != known.constEnd())
        return *found;
    const QByteArray page = "<body>" + reference;
    QString decoded = QString::fromUtf8(reference);
    if (GumboOutput* output =
            gumbo_parse_with_options(&kGumboDefaultOptions, page.constData(), size_t(page.size()))) {
        const GumboNode* node = output->root;
        if (node->v.element.children.length > 1) {
            const auto* body = static_cast<const GumboNode*>(node->v.element.children.data[1]);
            if (body->type == GUMBO_NODE_ELEMENT && body->v.element.children.length == 1) {
                const auto* text = static_cast<const GumboNode*>(body->v.element.children.data[0]);
                if (text->type == GUMBO_NODE_TEXT || text->type == GUMBO_NODE_WHITESPACE)
                    decoded = QString::fromUtf8(text->v.text.text);
            }
        }
        gumbo_destroy_output(&kGumboDefaultOptions, output);
    }
    known.insert(reference, decoded);
    return decoded;
}

// One piece of a text node's source and what it reads as.
struct Unit {
    qsizetype from = 0;
    qsizetype to = 0;
    QString text;
    bool openReference = false; // a named reference without its ";"
};

qsizetype referenceEnd(const QByteArray& source, qsizetype at)
{
    qsizetype end = at + 1;
    if (end < source.size() && source[end] == '#')
        ++end;
    while (end < source.size() && isAsciiAlnum(source[end]))
        ++end;
    if (end < source.size() && source[end] == ';')
        ++end;
    return end;
}

qsizetype utf8End(const QByteArray& source, qsizetype at)
{
    qsizetype end = at + 1;
    while (end < source.size() && (uchar(source[end]) & 0xC0) == 0x80)
        ++end;
    return end;
}

std::vector<Unit> unitsOf(const QByteArray& source, TextKind kind)
{
    std::vector<Unit> units;
    qsizetype at = 0;
    while (at < source.size()) {
        Unit unit;
        unit.from = at;
        const char c = source[at];
        if (c == '\r') {
            unit.to = at + 1 < source.size() && source[at + 1] == '\n' ? at + 2 : at + 1;
            unit.text = QStringLiteral("\n");
        } else if (c == '&' && kind != TextKind::Raw) {
            unit.to = referenceEnd(source, at);
            const QByteArray reference = source.mid(at, unit.to - at);
            unit.text = decodeReference(reference);
            unit.openReference = reference.size() > 1 && reference[1] != '#'
                && !reference.endsWith(';') && unit.text != QString::fromUtf8(reference);
        } else {
            unit.to = utf8End(source, at);
            unit.text = QString::fromUtf8(source.constData() + at, unit.to - at);
        }
        units.push_back(std::move(unit));
        at = units.back().to;
    }
    return units;
}

bool isAlnumOrSemicolon(QChar c)
{
    return c.unicode() < 0x80 && (isAsciiAlnum(char(c.unicode())) || c == QLatin1Char(';')
                                  || c == QLatin1Char('='));
}

// Typed text in the page's form.
class Escaper {
public:
    Escaper(TextKind kind, const PageForm& form)
        : kind_(kind)
        , form_(form)
    {
    }

    // `text` from `from` to `to`; `text` whole, to look at what follows.
    QByteArray write(const QString& text, qsizetype from, qsizetype to) const
    {
        QByteArray out;
        for (qsizetype i = from; i < to; ++i) {
            const QChar c = text[i];
            const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
            if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
                if (c == QLatin1Char('\r') && next == QLatin1Char('\n'))
                    ++i;
                out += form_.lineBreak;
            } else if (kind_ == TextKind::Raw) {
                out += QString(c).toUtf8();
            } else if (c == QLatin1Char('&')) {
                const bool plain = kind_ == TextKind::Rcdata && !isAlnumOrSemicolon(next)
                    && next != QLatin1Char('#');
                out += plain ? "&" : "&amp;";
            } else if (c == QLatin1Char('<')) {
                const bool plain = kind_ == TextKind::Rcdata && next != QLatin1Char('/');
                out += plain ? "<" : "&lt;";
            } else if (c == QLatin1Char('>') && isMarkup()) {
                out += "&gt;";
            } else if (c.unicode() == 0xA0 && isMarkup()) {
                out += "&nbsp;";
            } else if (c.unicode() >= 0x80 && form_.asciiOnly) {
                char32_t code = c.unicode();
                if (c.isHighSurrogate() && next.isLowSurrogate()) {
                    code = QChar::surrogateToUcs4(c, next);
                    ++i;
                }
                out += "&#" + QByteArray::number(uint(code)) + ';';
            } else if (c.isHighSurrogate() && next.isLowSurrogate()) {
                out += QString(text.constData() + i, 2).toUtf8();
                ++i;
            } else {
                out += QString(c).toUtf8();
            }
        }
        return out;
    }

private:
    bool isMarkup() const { return kind_ == TextKind::Markup || kind_ == TextKind::Preformatted; }

    TextKind kind_;
    const PageForm& form_;
};

bool isCollapsibleSpace(const QString& text)
{
    return text.size() == 1
        && (text[0] == QLatin1Char('\n') || text[0] == QLatin1Char('\t')
            || text[0] == QLatin1Char('\f') || text[0] == QLatin1Char(' '));
}

// Whether the new text holds the unit at `at` as it reads.
bool unitAt(const Unit& unit, const QString& text, qsizetype at)
{
    return !unit.text.isEmpty() && QStringView(text).mid(at).startsWith(unit.text);
}

// How well the new text at `at` holds the unit: twice its length where it
// reads the same, 1 where whitespace collapses and a line break or tab now
// reads as a space, 0 where it does not.
int matchWeight(const Unit& unit, const QString& text, qsizetype at, TextKind kind)
{
    if (unitAt(unit, text, at))
        return 2 * int(unit.text.size());
    const bool space = kind == TextKind::Markup && at < text.size() && text[at] == QLatin1Char(' ')
        && isCollapsibleSpace(unit.text);
    return space ? 1 : 0;
}

// Which units of the middle stretch are kept, as the longest sequence of
// them that the new text still holds in order, by their length.
constexpr qsizetype kMostComparedCells = 4 * 1024 * 1024;

std::vector<qsizetype> keptInMiddle(const std::vector<Unit>& units, size_t first, size_t last,
                                   const QString& text, qsizetype from, qsizetype to,
                                   TextKind kind)
{
    const size_t n = last - first;
    const qsizetype m = to - from;
    std::vector<qsizetype> kept(n, -1);
    if (n == 0 || m == 0 || qsizetype(n + 1) * (m + 1) > kMostComparedCells)
        return kept;
    // best[i][j]: the most characters kept from units i.. and text j..
    const qsizetype width = m + 1;
    std::vector<int> best(size_t((n + 1) * size_t(width)), 0);
    const auto at = [&](size_t i, qsizetype j) -> int& { return best[i * size_t(width) + size_t(j)]; };
    const auto weight = [&](size_t i, qsizetype j) {
        const Unit& unit = units[first + i];
        return j + unit.text.size() <= m ? matchWeight(unit, text, from + j, kind) : 0;
    };
    for (size_t i = n; i-- > 0;) {
        const qsizetype length = units[first + i].text.size();
        for (qsizetype j = m; j >= 0; --j) {
            int value = std::max(at(i + 1, j), j < m ? at(i, j + 1) : 0);
            if (const int w = weight(i, j))
                value = std::max(value, w + at(i + 1, j + length));
            at(i, j) = value;
        }
    }
    // Where the choice is free, typed text goes before a kept unit: typing
    // at a line's end is more common than at the next line's start.
    size_t i = 0;
    qsizetype j = 0;
    while (i < n && j <= m) {
        const qsizetype length = units[first + i].text.size();
        const int w = weight(i, j);
        if (j < m && at(i, j) == at(i, j + 1)) {
            ++j;
        } else if (w && at(i, j) == w + at(i + 1, j + length)) {
            kept[i] = from + j;
            ++i;
            j += length;
        } else {
            ++i;
        }
    }
    return kept;
}

}

PageForm pageFormOf(const QByteArray& utf8)
{
    PageForm form;
    const qsizetype lineEnd = utf8.indexOf('\n');
    const qsizetype carriage = utf8.indexOf('\r');
    if (carriage >= 0 && (lineEnd < 0 || carriage < lineEnd))
        form.lineBreak = carriage + 1 == lineEnd ? "\r\n" : "\r";
    else if (lineEnd >= 0)
        form.lineBreak = "\n";
    static const QRegularExpression charset(
        QStringLiteral("<meta\\b[^>]*?charset\\s*="), QRegularExpression::CaseInsensitiveOption);
    const bool declared = charset.match(QString::fromLatin1(utf8.left(64 * 1024))).hasMatch();
    const bool ascii = std::all_of(utf8.begin(), utf8.end(), [](char c) { return uchar(c) < 0x80; });
    form.asciiOnly = !declared && ascii;
    return form;
}

TextKind textKindIn(const QString& elementKey)
{
    static const QStringList raw = {QStringLiteral("SCRIPT"), QStringLiteral("STYLE"),
                                    QStringLiteral("XMP"), QStringLiteral("IFRAME"),
                                    QStringLiteral("NOEMBED"), QStringLiteral("NOFRAMES"),
                                    QStringLiteral("PLAINTEXT"), QStringLiteral("NOSCRIPT")};
    if (raw.contains(elementKey))
        return TextKind::Raw;
    if (elementKey == QLatin1String("TITLE") || elementKey == QLatin1String("TEXTAREA"))
        return TextKind::Rcdata;
    return TextKind::Markup;
}

QByteArray rewriteText(const QByteArray& source, const QString& text, TextKind kind,
                       const PageForm& form, TextPlace place)
{
    const std::vector<Unit> units = unitsOf(source, kind);
    if (kind == TextKind::Markup && !text.isEmpty()) {
        const auto isBlank = [](QChar c) { return c.isSpace() && c.unicode() != 0xA0; };
        size_t lead = 0;
        while (lead < units.size() && isCollapsibleSpace(units[lead].text))
            ++lead;
        if (place.startsBlock && lead > 0 && !isBlank(text.front())) {
            const qsizetype at = units[lead - 1].to;
            return source.left(at)
                + rewriteText(source.mid(at), text, kind, form, {false, place.endsBlock});
        }
        size_t trail = 0;
        while (trail < units.size() && isCollapsibleSpace(units[units.size() - 1 - trail].text))
            ++trail;
        if (place.endsBlock && trail > 0 && !isBlank(text.back())) {
            const qsizetype at = units[units.size() - trail].from;
            return rewriteText(source.left(at), text, kind, form, {place.startsBlock, false})
                + source.mid(at);
        }
    }
    const Escaper escaper(kind, form);
    // The units the new text still starts and ends with.
    size_t head = 0;
    qsizetype textHead = 0;
    while (head < units.size() && unitAt(units[head], text, textHead)) {
        textHead += units[head].text.size();
        ++head;
    }
    size_t tail = units.size();
    qsizetype textTail = text.size();
    while (tail > head && textTail - units[tail - 1].text.size() >= textHead
           && unitAt(units[tail - 1], text, textTail - units[tail - 1].text.size())) {
        textTail -= units[tail - 1].text.size();
        --tail;
    }
    const std::vector<qsizetype> middle =
        keptInMiddle(units, head, tail, text, textHead, textTail, kind);

    QByteArray out;
    qsizetype written = 0; // characters of `text` written so far
    const auto keep = [&](const Unit& unit) {
        written += unit.text.size();
        // A reference without its ";" would take typed letters after it in.
        if (unit.openReference && written < text.size() && isAlnumOrSemicolon(text[written]))
            out += escaper.write(text, written - unit.text.size(), written);
        else
            out += source.mid(unit.from, unit.to - unit.from);
    };
    for (size_t i = 0; i < head; ++i)
        keep(units[i]);
    for (size_t i = head; i < tail; ++i) {
        const qsizetype at = middle[i - head];
        if (at < 0)
            continue;
        const Unit& unit = units[i];
        out += escaper.write(text, written, at);
        written = at;
        keep(unit);
    }
    out += escaper.write(text, written, textTail);
    written = textTail;
    for (size_t i = tail; i < units.size(); ++i)
        keep(units[i]);
    return out;
}

namespace {

struct SourceAttribute {
    qsizetype from = 0; // its leading whitespace included
    qsizetype nameFrom = 0;
    qsizetype to = 0;
    QString name;
    QString value;
};

QString decodeAttributeValue(const QByteArray& raw)
{
    QString value;
    for (const Unit& unit : unitsOf(raw, TextKind::Rcdata))
        value += unit.text;
    return value;
}

// The attributes of a start tag as the tokenizer reads them; `end` is set
// to where the tag's closing "/>" or ">" starts.
std::vector<SourceAttribute> attributesOf(const QByteArray& tag, qsizetype* end)
{
    std::vector<SourceAttribute> attributes;
    qsizetype at = 1;
    while (at < tag.size() && !isSpace(tag[at]) && tag[at] != '/' && tag[at] != '>')
        ++at;
    for (;;) {
        const qsizetype from = at;
        while (at < tag.size() && (isSpace(tag[at]) || tag[at] == '/'))
            ++at;
        if (at >= tag.size() || tag[at] == '>') {
            // The closing "/" of "<br/>" stays with the end.
            *end = from;
            return attributes;
        }
        SourceAttribute attribute;
        attribute.from = from;
        attribute.nameFrom = at;
        ++at; // a name may start with "="
        while (at < tag.size() && !isSpace(tag[at]) && tag[at] != '/' && tag[at] != '>'
               && tag[at] != '=')
            ++at;
        attribute.name = QString::fromUtf8(tag.mid(attribute.nameFrom, at - attribute.nameFrom))
                             .toLower();
        qsizetype probe = at;
        while (probe < tag.size() && isSpace(tag[probe]))
            ++probe;
        if (probe < tag.size() && tag[probe] == '=') {
            at = probe + 1;
            while (at < tag.size() && isSpace(tag[at]))
                ++at;
            qsizetype valueFrom = at, valueTo = at;
            if (at < tag.size() && (tag[at] == '"' || tag[at] == '\'')) {
                const qsizetype close = tag.indexOf(tag[at], at + 1);
                valueFrom = at + 1;
                valueTo = close < 0 ? tag.size() : close;
                at = close < 0 ? tag.size() : close + 1;
            } else {
                while (at < tag.size() && !isSpace(tag[at]) && tag[at] != '>')
                    ++at;
                valueTo = at;
            }
            attribute.value = decodeAttributeValue(tag.mid(valueFrom, valueTo - valueFrom));
        }
        attribute.to = at;
        attributes.push_back(std::move(attribute));
    }
}

}

QByteArray rewriteStartTag(const QByteArray& source, const std::vector<AttributeNow>& attributes)
{
    qsizetype end = source.size();
    const std::vector<SourceAttribute> old = attributesOf(source, &end);
    std::vector<bool> placed(attributes.size(), false);
    QByteArray out = source.left(old.empty() ? end : old.front().from);
    QStringList seen;
    for (const SourceAttribute& attribute : old) {
        // A repeated attribute is one the browser never read: it stays.
        if (seen.contains(attribute.name)) {
            out += source.mid(attribute.from, attribute.to - attribute.from);
            continue;
        }
        seen.push_back(attribute.name);
        const auto now = std::find_if(attributes.begin(), attributes.end(),
                                      [&](const AttributeNow& a) { return a.name == attribute.name; });
        if (now == attributes.end())
            continue;
        placed[size_t(now - attributes.begin())] = true;
        if (now->value == attribute.value) {
            out += source.mid(attribute.from, attribute.to - attribute.from);
        } else {
            out += source.mid(attribute.from, attribute.nameFrom - attribute.from);
            out += now->written.trimmed().toUtf8();
        }
    }
    for (size_t i = 0; i < attributes.size(); ++i) {
        if (!placed[i])
            out += attributes[i].written.toUtf8();
    }
    out += source.mid(end);
    return out;
}

}
