#include "platform/widgets/ScintillaText.h"

namespace ink::scintillatext {

namespace {

bool isContinuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The length a lead byte announces, 0 for a byte that cannot lead.
int announcedLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC0 && lead < 0xE0)
        return 2;
    if (lead >= 0xE0 && lead < 0xF0)
        return 3;
    if (lead >= 0xF0 && lead < 0xF5)
        return 4;
    return 0;
}

char32_t codePoint(const char* p, int length)
{
    const auto lead = static_cast<unsigned char>(p[0]);
    char32_t cp = length == 2 ? (lead & 0x1F) : length == 3 ? (lead & 0x0F) : (lead & 0x07);
    for (int i = 1; i < length; ++i)
        cp = (cp << 6) | (static_cast<unsigned char>(p[i]) & 0x3F);
    return cp;
}

void appendUnit(QByteArray& out, char32_t cp)
{
    if (cp < 0x80) {
        out.append(char(cp));
    } else if (cp < 0x800) {
        out.append(char(0xC0 | (cp >> 6)));
        out.append(char(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.append(char(0xE0 | (cp >> 12)));
        out.append(char(0x80 | ((cp >> 6) & 0x3F)));
        out.append(char(0x80 | (cp & 0x3F)));
    } else {
        out.append(char(0xF0 | (cp >> 18)));
        out.append(char(0x80 | ((cp >> 12) & 0x3F)));
        out.append(char(0x80 | ((cp >> 6) & 0x3F)));
        out.append(char(0x80 | (cp & 0x3F)));
    }
}

}

Step stepAt(const char* p, qsizetype available)
{
    const auto lead = static_cast<unsigned char>(p[0]);
    const int length = announcedLength(lead);
    if (length <= 1 || length > available)
        return {1, 1};
    for (int i = 1; i < length; ++i) {
        if (!isContinuation(p[i]))
            return {1, 1};
    }
    if (length == 4) {
        const char32_t cp = codePoint(p, 4);
        if (cp < 0x10000 || cp > 0x10FFFF)
            return {1, 1};
        return {4, 2};
    }
    return {length, 1};
}

namespace {

bool hasLoneSurrogate(QStringView text)
{
    const char16_t* p = text.utf16();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if ((p[i] & 0xF800) != 0xD800)
            continue;
        if (!QChar::isHighSurrogate(p[i]) || i + 1 == n || !QChar::isLowSurrogate(p[i + 1]))
            return true;
        ++i;
    }
    return false;
}

QByteArray encodeKeepingSurrogates(QStringView text)
{
    QByteArray out;
    out.reserve(text.size() + text.size() / 4);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = text[i].unicode();
        if (u < 0x80) {
            out.append(char(u));
        } else if (QChar::isHighSurrogate(u) && i + 1 < n && text[i + 1].isLowSurrogate()) {
            appendUnit(out, QChar::surrogateToUcs4(u, text[i + 1].unicode()));
            ++i;
        } else {
            appendUnit(out, u);
        }
    }
    return out;
}

QString decodeSlowly(const char* bytes, qsizetype length)
{
    QString out;
    out.reserve(length);
    qsizetype i = 0;
    while (i < length) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            out.append(QChar(lead));
            ++i;
            continue;
        }
        const Step step = stepAt(bytes + i, length - i);
        if (step.bytes == 1) {
            out.append(QChar(QChar::ReplacementCharacter));
        } else if (step.units == 2) {
            const char32_t cp = codePoint(bytes + i, 4);
            out.append(QChar(QChar::highSurrogate(cp)));
            out.append(QChar(QChar::lowSurrogate(cp)));
        } else {
            out.append(QChar(char16_t(codePoint(bytes + i, step.bytes))));
        }
        i += step.bytes;
    }
    return out;
}

}

// Qt's own conversions are several times faster; they give the same result
// whenever no lone surrogate is involved.
QByteArray encode(QStringView text)
{
    return hasLoneSurrogate(text) ? encodeKeepingSurrogates(text) : text.toUtf8();
}

QString decode(const char* bytes, qsizetype length)
{
    const QByteArrayView view(bytes, length);
    return view.isValidUtf8() ? QString::fromUtf8(view) : decodeSlowly(bytes, length);
}

}
