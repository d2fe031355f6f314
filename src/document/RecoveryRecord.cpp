#include "document/RecoveryRecord.h"

#include <QHash>
#include <QList>

namespace ink {

namespace {

const QByteArray Header("Inkpress recovery 1\n");
// Fields that would make no sense if large; the header is small.
constexpr int MaxHeaderLength = 64 * 1024;
constexpr int MaxWorkingFiles = 64;

const struct {
    PageEncoding::Kind kind;
    const char* name;
} EncodingNames[] = {
    {PageEncoding::Utf8, "utf-8"},
    {PageEncoding::Windows1252, "windows-1252"},
    {PageEncoding::Latin1, "latin-1"},
    {PageEncoding::Utf16LE, "utf-16le"},
    {PageEncoding::Utf16BE, "utf-16be"},
};

QByteArray encodingName(PageEncoding::Kind kind)
{
    for (const auto& e : EncodingNames)
        if (e.kind == kind)
            return e.name;
    return "utf-8";
}

bool encodingKind(const QByteArray& name, PageEncoding::Kind* kind)
{
    for (const auto& e : EncodingNames) {
        if (name == e.name) {
            *kind = e.kind;
            return true;
        }
    }
    return false;
}

QByteArray textBytes(const QString& text, bool* utf16)
{
    const QByteArray utf8 = text.toUtf8();
    *utf16 = QString::fromUtf8(utf8) != text;
    if (!*utf16)
        return utf8;
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        bytes[2 * i] = char(text[i].unicode() & 0xFF);
        bytes[2 * i + 1] = char(text[i].unicode() >> 8);
    }
    return bytes;
}

QString textOf(const QByteArray& bytes, bool utf16)
{
    if (!utf16)
        return QString::fromUtf8(bytes);
    QString text(bytes.size() / 2, Qt::Uninitialized);
    const auto* b = reinterpret_cast<const uchar*>(bytes.constData());
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(char16_t(b[2 * i] | (b[2 * i + 1] << 8)));
    return text;
}

void addLine(QByteArray& out, const char* key, const QByteArray& value)
{
    out += key;
    out += ": ";
    out += value;
    out += '\n';
}

QByteArray encoded(const QString& value)
{
    return value.toUtf8().toPercentEncoding("/ .-_~");
}

bool toNumber(const QByteArray& text, qint64* number)
{
    bool ok = false;
    *number = text.toLongLong(&ok);
    return ok;
}

}

bool RecoveryRecord::operator==(const RecoveryRecord& other) const
{
    return pid == other.pid && slot == other.slot && folder == other.folder
        && caption == other.caption && encoding == other.encoding && original == other.original
        && workingFiles == other.workingFiles && text == other.text;
}

QByteArray serializeRecovery(const RecoveryRecord& record)
{
    bool utf16 = false;
    const QByteArray body = textBytes(record.text, &utf16);
    QByteArray out = Header;
    addLine(out, "pid", QByteArray::number(record.pid));
    addLine(out, "slot", QByteArray::number(record.slot));
    addLine(out, "folder", encoded(record.folder));
    addLine(out, "caption", encoded(record.caption));
    addLine(out, "encoding", encodingName(record.encoding.kind));
    addLine(out, "byte-order-mark", record.encoding.byteOrderMark ? "1" : "0");
    addLine(out, "original-exists", record.original.exists ? "1" : "0");
    addLine(out, "original-size", QByteArray::number(record.original.size));
    addLine(out, "original-modified", QByteArray::number(record.original.modifiedMs));
    addLine(out, "original-hash", record.original.hash.toHex());
    for (const QString& path : record.workingFiles)
        addLine(out, "working-file", encoded(path));
    addLine(out, "text-form", utf16 ? "utf-16le" : "utf-8");
    addLine(out, "text-length", QByteArray::number(body.size()));
    addLine(out, "text-hash", FileStamp::hashOf(body).toHex());
    out += '\n';
    out += body;
    return out;
}

bool parseRecovery(const QByteArray& bytes, RecoveryRecord* record)
{
    if (!bytes.startsWith(Header))
        return false;
    const qsizetype end = bytes.indexOf("\n\n", Header.size() - 1);
    if (end < 0 || end > MaxHeaderLength)
        return false;
    QHash<QByteArray, QByteArray> fields;
    QStringList workingFiles;
    const QList<QByteArray> lines = bytes.mid(Header.size(), end + 1 - Header.size()).split('\n');
    for (const QByteArray& line : lines) {
        if (line.isEmpty())
            continue;
        const qsizetype colon = line.indexOf(": ");
        if (colon <= 0)
            return false;
        const QByteArray key = line.left(colon);
        const QByteArray value = line.mid(colon + 2);
        if (key == "working-file") {
            if (workingFiles.size() >= MaxWorkingFiles)
                return false;
            workingFiles << QString::fromUtf8(QByteArray::fromPercentEncoding(value));
        } else if (fields.contains(key)) {
            return false;
        } else {
            fields.insert(key, value);
        }
    }
    static const char* const Required[] = {
        "pid", "slot", "folder", "caption", "encoding", "byte-order-mark", "original-exists",
        "original-size", "original-modified", "original-hash", "text-form", "text-length",
        "text-hash",
    };
    for (const char* key : Required)
        if (!fields.contains(key))
            return false;

    RecoveryRecord r;
    qint64 slot = 0, length = 0;
    if (!toNumber(fields["pid"], &r.pid) || r.pid <= 0 || !toNumber(fields["slot"], &slot)
        || slot < 0 || slot > 1000000 || !toNumber(fields["original-size"], &r.original.size)
        || !toNumber(fields["original-modified"], &r.original.modifiedMs)
        || !toNumber(fields["text-length"], &length))
        return false;
    r.slot = int(slot);
    const QByteArray form = fields["text-form"];
    if (!encodingKind(fields["encoding"], &r.encoding.kind) || (form != "utf-8" && form != "utf-16le"))
        return false;
    r.encoding.byteOrderMark = fields["byte-order-mark"] == "1";
    r.original.exists = fields["original-exists"] == "1";
    r.original.hash = QByteArray::fromHex(fields["original-hash"]);
    r.folder = QString::fromUtf8(QByteArray::fromPercentEncoding(fields["folder"]));
    r.caption = QString::fromUtf8(QByteArray::fromPercentEncoding(fields["caption"]));
    r.workingFiles = workingFiles;

    const QByteArray body = bytes.mid(end + 2);
    // A copy written by an earlier version of the program holds the
    // SHA-256 of its text.
    const QByteArray& textHash = fields["text-hash"];
    const QByteArray hash = textHash.size() == 64 ? FileStamp::sha256Of(body) : FileStamp::hashOf(body);
    if (length != body.size() || hash.toHex() != textHash)
        return false;
    if (form == "utf-16le" && body.size() % 2 != 0)
        return false;
    if (r.caption.isEmpty() || r.caption == QLatin1String(".") || r.caption == QLatin1String("..")
        || r.caption.contains(QLatin1Char('/')))
        return false;
    r.text = textOf(body, form == "utf-16le");
    *record = r;
    return true;
}

}
