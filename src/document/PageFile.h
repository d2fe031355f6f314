#pragma once
#include "document/FileStamp.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace ink {

// How a page's bytes became text, so that saving gives the same bytes back.
struct PageEncoding {
    enum Kind {
        Utf8,         // valid UTF-8, declared as such or not declared at all
        Windows1252,  // declared windows-1252, iso-8859-1, latin1 or us-ascii
        Latin1,       // anything else that is not valid UTF-8: one byte, one character
        Utf16LE,      // UTF-16 that starts with its byte order mark, little-endian
        Utf16BE,      // the same, big-endian
    };
    Kind kind = Utf8;
    // The file started with a byte order mark (UTF-8, or always for UTF-16).
    bool byteOrderMark = false;

    bool operator==(const PageEncoding& other) const
    {
        return kind == other.kind && byteOrderMark == other.byteOrderMark;
    }
    bool operator!=(const PageEncoding& other) const { return !(*this == other); }
};

// Pages larger than this are not opened.
constexpr qint64 MaxPageFileSize = 64LL * 1024 * 1024;

// A page read from disk; on failure `ok` is false and `error` says why in
// words for the user.
struct PageFileContent {
    bool ok = false;
    QString text;
    PageEncoding encoding;
    QString error;
    // The file as it was read: a later difference is another program's write.
    FileStamp stamp;
    // The file's bytes.
    QByteArray bytes;
    // The bytes after any byte order mark are the text as UTF-8: a UTF-8
    // page, or a single-byte page that is ASCII throughout.
    bool holdsUtf8 = false;

    // The text as UTF-8 when the file holds it so (after any byte order
    // mark), read from the file's bytes; empty otherwise.
    QByteArrayView utf8() const;
    // The same bytes, shared with `bytes` where the file has no byte order
    // mark.
    QByteArray utf8Bytes() const;
};

// Reads a whole page. Refuses what cannot be read, files over 64 MB and
// files that are not text. A file with a UTF-16 byte order mark is UTF-16 text.
PageFileContent readPageFile(const QString& path);

// Writes the text in the given encoding, followed by one CR LF unless the
// text already ends with a line break (so that a page opened and saved again
// keeps its bytes, and repeated saves do not pile up blank lines). The new
// content is written beside the old file and then put in its place in one
// step, so a failed save leaves the old file as it was. On failure returns
// false and, when `error` is given, a text naming the file and the reason.
bool writePageFile(const QString& path, const QString& text, const PageEncoding& encoding,
                   QString* error = nullptr);
// The same for bytes encoded already (see pageBytes).
bool writePageBytes(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// Writes a working file for the design surface and the preview: a UTF-8 byte
// order mark, the text in UTF-8, one CR LF. Written as the program's own file
// (see writeOwnFile): never through a link planted under its name.
bool writeWorkingFileText(const QString& path, const QString& text, QString* error = nullptr);
// The same for a text held as UTF-8 already (`utf8`, the text's own bytes).
bool writeWorkingFileUtf8(const QString& path, QByteArrayView utf8, QString* error = nullptr);

// The pieces of reading and writing, for callers that hold bytes already.

// True for content that is plainly not text: a NUL byte or many control
// bytes in the first 8 KB, or a PDF document.
bool looksBinary(const QByteArray& bytes);
// The charset a <meta> element of the page declares, lower case; "" if none.
QString declaredCharset(const QByteArray& bytes);
// The same for a page's text, without encoding all of a long page.
QString declaredCharsetOfText(const QString& text);
// The encoding that reads these bytes so that encoding the text again gives
// the same bytes.
PageEncoding detectPageEncoding(const QByteArray& bytes);
QString decodePage(const QByteArray& bytes, const PageEncoding& encoding);
// Characters the encoding cannot hold are written as numeric character
// references (&#NNNN;), so that nothing typed is lost. UTF-16 is written with
// its byte order mark.
QByteArray encodePage(const QString& text, const PageEncoding& encoding);
// The text as a save writes it: with a final CR LF unless it ends with a
// line break already.
QString withFinalLineBreak(const QString& text);
// The bytes a save writes of a text held as UTF-8, for a page kept in UTF-8
// (with or without its byte order mark): what encodePage gives for the text
// with its final line break, without decoding and encoding it again.
QByteArray utf8PageBytes(QByteArray utf8, bool byteOrderMark);
// The same for a page kept in any single-byte encoding too: what encodePage
// gives for the text of `utf8` (which must be valid UTF-8) with its final
// line break. Nothing for UTF-16, which needs the text decoded.
std::optional<QByteArray> pageBytesOfUtf8(QByteArrayView utf8, const PageEncoding& encoding);
// Whether a save writes the UTF-8 bytes `utf8` as they are: a text that
// ends with a line break, kept in UTF-8 without a byte order mark, or in a
// single-byte encoding while it holds only ASCII.
bool savesAsHeld(QByteArrayView utf8, const PageEncoding& encoding);

}
