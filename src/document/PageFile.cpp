#include "document/PageFile.h"

#include "base/WholeFile.h"
#include "document/OwnFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

#include <array>
#include <cstring>

namespace ink {

namespace {

const QByteArray utf8Bom("\xEF\xBB\xBF");
const QByteArray utf16LeBom("\xFF\xFE");
const QByteArray utf16BeBom("\xFE\xFF");
const QByteArray crLf("\r\n");
constexpr int sniffLength = 8 * 1024;
constexpr int charsetSearchLength = 64 * 1024;

// Characters of the bytes 0x80 to 0x9F in windows-1252. The five bytes the
// code page leaves undefined stand for the C1 control characters of the same
// number, so that they too come back as the bytes they were.
constexpr std::array<char16_t, 32> windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool isWindows1252Family(const QString& charset)
{
    static const QStringList names = {
        QStringLiteral("windows-1252"), QStringLiteral("cp1252"), QStringLiteral("x-cp1252"),
        QStringLiteral("iso-8859-1"), QStringLiteral("iso8859-1"), QStringLiteral("iso_8859-1"),
        QStringLiteral("latin1"), QStringLiteral("latin-1"), QStringLiteral("l1"),
        QStringLiteral("us-ascii"), QStringLiteral("ascii"),
    };
    return names.contains(charset);
}

// Most pages are ASCII from end to end: eight bytes at a time are checked
// for a byte of a longer character first, and only from the first one on
// are the bytes validated one by one.
bool isValidUtf8(QByteArrayView bytes)
{
    qsizetype i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        quint64 word;
        std::memcpy(&word, bytes.data() + i, sizeof word);
        if (word & 0x8080808080808080ULL)
            break;
    }
    return bytes.sliced(i).isValidUtf8();
}

QString decodeWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto byte = static_cast<uchar>(c);
        *out++ = (byte >= 0x80 && byte <= 0x9F) ? QChar(windows1252High[byte - 0x80]) : QChar(byte);
    }
    return text;
}

// The byte of a character in windows-1252 or Latin-1; -1 when it has none.
int singleByteFor(char32_t code, PageEncoding::Kind kind)
{
    const bool plain = code < 0x80 || (code >= 0xA0 && code <= 0xFF);
    if (kind == PageEncoding::Latin1)
        return code <= 0xFF ? int(code) : -1;
    if (plain)
        return int(code);
    for (int i = 0; i < int(windows1252High.size()); ++i) {
        if (windows1252High[i] == code)
            return 0x80 + i;
    }
    return -1;
}

// A character the encoding lacks is written as a character reference.
void appendSingleByte(QByteArray& bytes, char32_t code, PageEncoding::Kind kind)
{
    const int byte = singleByteFor(code, kind);
    if (byte >= 0)
        bytes.append(char(byte));
    else
        bytes.append("&#" + QByteArray::number(quint32(code)) + ';');
}

QByteArray encodeSingleByte(const QString& text, PageEncoding::Kind kind)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        char32_t code = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            code = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        appendSingleByte(bytes, code, kind);
    }
    return bytes;
}

// The same for a text held as valid UTF-8: runs of ASCII are copied whole,
// and only the other characters are decoded one by one.
QByteArray encodeSingleByte(QByteArrayView utf8, PageEncoding::Kind kind)
{
    QByteArray bytes;
    bytes.reserve(utf8.size() + 2);
    const auto* at = reinterpret_cast<const uchar*>(utf8.data());
    const auto* end = at + utf8.size();
    while (at < end) {
        const uchar* run = at;
        while (at < end && *at < 0x80)
            ++at;
        bytes.append(reinterpret_cast<const char*>(run), at - run);
        if (at == end)
            break;
        const int following = *at >= 0xF0 ? 3 : *at >= 0xE0 ? 2 : 1;
        char32_t code = *at++ & (0x3F >> following);
        for (int i = 0; i < following && at < end; ++i)
            code = (code << 6) | (*at++ & 0x3F);
        appendSingleByte(bytes, code, kind);
    }
    return bytes;
}

// Eight bytes at a time: a long page is mostly ASCII.
bool isAscii(QByteArrayView bytes)
{
    const char* at = bytes.data();
    const char* end = at + bytes.size();
    for (; end - at >= 8; at += 8) {
        quint64 word;
        std::memcpy(&word, at, sizeof word);
        if (word & 0x8080808080808080ull)
            return false;
    }
    for (; at < end; ++at) {
        if (static_cast<uchar>(*at) >= 0x80)
            return false;
    }
    return true;
}

bool isUtf16(PageEncoding::Kind kind)
{
    return kind == PageEncoding::Utf16LE || kind == PageEncoding::Utf16BE;
}

// UTF-16 text as unit pairs, one QChar per pair, so that whatever the file
// holds (even a lone surrogate) comes back as the same bytes.
QString decodeUtf16(const QByteArray& body, bool littleEndian)
{
    QString text(body.size() / 2, Qt::Uninitialized);
    const auto* bytes = reinterpret_cast<const uchar*>(body.constData());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const uchar a = bytes[2 * i], b = bytes[2 * i + 1];
        text[i] = QChar(littleEndian ? char16_t(a | (b << 8)) : char16_t((a << 8) | b));
    }
    return text;
}

QByteArray encodeUtf16(const QString& text, bool littleEndian)
{
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        bytes[2 * i] = char(littleEndian ? unit & 0xFF : unit >> 8);
        bytes[2 * i + 1] = char(littleEndian ? unit >> 8 : unit & 0xFF);
    }
    return bytes;
}

// A UTF-16 byte order mark and a whole number of units after it.
PageEncoding::Kind utf16KindOf(const QByteArray& bytes, bool* found)
{
    *found = bytes.size() % 2 == 0 && (bytes.startsWith(utf16LeBom) || bytes.startsWith(utf16BeBom));
    return bytes.startsWith(utf16LeBom) ? PageEncoding::Utf16LE : PageEncoding::Utf16BE;
}

QString quoted(const QString& path)
{
    return QLatin1Char('"') + path + QLatin1Char('"');
}

PageFileContent failure(const QString& error)
{
    PageFileContent content;
    content.error = error;
    return content;
}

}

bool looksBinary(const QByteArray& bytes)
{
    const QByteArray head = bytes.left(sniffLength);
    if (head.contains('\0') || head.startsWith("%PDF-"))
        return true;
    int controls = 0;
    for (const char c : head) {
        const auto byte = static_cast<uchar>(c);
        const bool whitespace = byte == '\t' || byte == '\n' || byte == '\r' || byte == '\f' || byte == '\v';
        if ((byte < 0x20 && !whitespace && byte != 0x1B) || byte == 0x7F)
            ++controls;
    }
    return controls * 10 > head.size();
}

QString declaredCharset(const QByteArray& bytes)
{
    static const QRegularExpression meta(
        QStringLiteral("<meta\\b[^>]*?charset\\s*=\\s*[\"']?\\s*([-\\w.:]+)"),
        QRegularExpression::CaseInsensitiveOption);
    const QString head = QString::fromLatin1(bytes.left(charsetSearchLength));
    const QRegularExpressionMatch match = meta.match(head);
    return match.hasMatch() ? match.captured(1).toLower() : QString();
}

// A character is one UTF-8 byte or more: the characters as many as the
// bytes searched hold all of those bytes.
QString declaredCharsetOfText(const QString& text)
{
    return declaredCharset(text.left(charsetSearchLength).toUtf8());
}

PageEncoding detectPageEncoding(const QByteArray& bytes)
{
    PageEncoding encoding;
    bool utf16 = false;
    const PageEncoding::Kind utf16Kind = utf16KindOf(bytes, &utf16);
    if (utf16) {
        encoding.kind = utf16Kind;
        encoding.byteOrderMark = true;
        return encoding;
    }
    encoding.byteOrderMark = bytes.startsWith(utf8Bom);
    // A byte order mark outweighs what the page declares, as in a browser.
    // Validated in place: decoding a long page only to look at it would
    // cost as much as the decoding that follows.
    if (!encoding.byteOrderMark && isWindows1252Family(declaredCharset(bytes))) {
        encoding.kind = PageEncoding::Windows1252;
        return encoding;
    }
    const qsizetype bom = encoding.byteOrderMark ? utf8Bom.size() : 0;
    encoding.kind = isValidUtf8(QByteArrayView(bytes).sliced(bom)) ? PageEncoding::Utf8
                                                                   : PageEncoding::Latin1;
    return encoding;
}

QString decodePage(const QByteArray& bytes, const PageEncoding& encoding)
{
    if (isUtf16(encoding.kind))
        return decodeUtf16(bytes.mid(2), encoding.kind == PageEncoding::Utf16LE);
    const QByteArrayView body = QByteArrayView(bytes).sliced(
        encoding.byteOrderMark && bytes.startsWith(utf8Bom) ? utf8Bom.size() : 0);
    switch (encoding.kind) {
    case PageEncoding::Windows1252:
        return decodeWindows1252(body);
    case PageEncoding::Latin1:
        return QString::fromLatin1(body);
    case PageEncoding::Utf8:
    case PageEncoding::Utf16LE:
    case PageEncoding::Utf16BE:
        break;
    }
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return decoder(body);
}

QByteArray encodePage(const QString& text, const PageEncoding& encoding)
{
    if (isUtf16(encoding.kind)) {
        const bool little = encoding.kind == PageEncoding::Utf16LE;
        return (little ? utf16LeBom : utf16BeBom) + encodeUtf16(text, little);
    }
    const QByteArray body = encoding.kind == PageEncoding::Utf8 ? text.toUtf8()
                                                                : encodeSingleByte(text, encoding.kind);
    return encoding.byteOrderMark ? utf8Bom + body : body;
}

QByteArrayView PageFileContent::utf8() const
{
    if (!ok || !holdsUtf8)
        return {};
    return QByteArrayView(bytes).sliced(encoding.byteOrderMark ? utf8Bom.size() : 0);
}

QByteArray PageFileContent::utf8Bytes() const
{
    const QByteArrayView view = utf8();
    if (view.size() == bytes.size())
        return bytes;
    return view.toByteArray();
}

PageFileContent readPageFile(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return failure(QStringLiteral("The file %1 could not be opened: it is a folder.").arg(quoted(path)));
    if (info.exists() && !info.isFile())
        return failure(QStringLiteral("The file %1 could not be opened: it is not an ordinary file.").arg(quoted(path)));
    if (info.size() > MaxPageFileSize)
        return failure(QStringLiteral("The file %1 is larger than 64 MB and cannot be opened.").arg(quoted(path)));
    const std::optional<FileIdentity> before = FileIdentity::of(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(QStringLiteral("The file %1 could not be opened: %2.").arg(quoted(path), file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return failure(QStringLiteral("The file %1 could not be read: %2.").arg(quoted(path), file.errorString()));
    // The file may have grown since its size was looked at.
    if (bytes.size() > MaxPageFileSize)
        return failure(QStringLiteral("The file %1 is larger than 64 MB and cannot be opened.").arg(quoted(path)));
    bool utf16 = false;
    utf16KindOf(bytes, &utf16);
    if (!utf16 && looksBinary(bytes))
        return failure(QStringLiteral("The file %1 is not a text file and cannot be opened.").arg(quoted(path)));
    PageFileContent content;
    content.ok = true;
    content.encoding = detectPageEncoding(bytes);
    content.text = decodePage(bytes, content.encoding);
    content.holdsUtf8 = content.encoding.kind == PageEncoding::Utf8
        || (!isUtf16(content.encoding.kind) && isAscii(bytes));
    content.stamp = FileStamp::ofRead(path, bytes, before);
    content.bytes = bytes;
    return content;
}

QString withFinalLineBreak(const QString& text)
{
    if (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
        return text;
    return text + QStringLiteral("\r\n");
}

QByteArray utf8PageBytes(QByteArray utf8, bool byteOrderMark)
{
    if (!utf8.endsWith('\n') && !utf8.endsWith('\r'))
        utf8 += crLf;
    return byteOrderMark ? utf8Bom + utf8 : utf8;
}

std::optional<QByteArray> pageBytesOfUtf8(QByteArrayView utf8, const PageEncoding& encoding)
{
    if (encoding.kind == PageEncoding::Utf8)
        return utf8PageBytes(utf8.toByteArray(), encoding.byteOrderMark);
    if (isUtf16(encoding.kind))
        return std::nullopt;
    QByteArray body = encodeSingleByte(utf8, encoding.kind);
    if (!body.endsWith('\n') && !body.endsWith('\r'))
        body += crLf;
    return encoding.byteOrderMark ? utf8Bom + body : body;
}

bool savesAsHeld(QByteArrayView utf8, const PageEncoding& encoding)
{
    if (encoding.byteOrderMark || isUtf16(encoding.kind) || utf8.isEmpty()
        || (utf8.back() != '\n' && utf8.back() != '\r'))
        return false;
    return encoding.kind == PageEncoding::Utf8 || isAscii(utf8);
}

bool writePageFile(const QString& path, const QString& text, const PageEncoding& encoding, QString* error)
{
    return writePageBytes(path, encodePage(withFinalLineBreak(text), encoding), error);
}

bool writePageBytes(const QString& path, const QByteArray& bytes, QString* error)
{
    QString reason;
    const bool written = replaceFileBytes(path, bytes, &reason);
    if (!written && error)
        *error = QStringLiteral("The file %1 could not be saved: %2.").arg(quoted(path), reason);
    return written;
}

bool writeWorkingFileText(const QString& path, const QString& text, QString* error)
{
    return writeWorkingFileUtf8(path, text.toUtf8(), error);
}

bool writeWorkingFileUtf8(const QString& path, QByteArrayView utf8, QString* error)
{
    QString reason;
    const bool written = writeOwnFile(path, {utf8Bom, utf8, crLf}, &reason);
    if (!written && error)
        *error = QStringLiteral("The file %1 could not be written: %2.").arg(quoted(path), reason);
    return written;
}

}
