#include "document/PageFile.h"

#include "base/SettingsFiles.h"
#include "colourfont/FontList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <functional>
#include <sys/resource.h>

using namespace ink;

namespace {

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class PageFileTest : public ::testing::Test {
protected:
    QString pathOf(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

struct RoundTripCase {
    const char* name;
    QByteArray bytes;
    PageEncoding::Kind kind;
    bool byteOrderMark;
};

class PageRoundTrip : public PageFileTest, public ::testing::WithParamInterface<RoundTripCase> {};

TEST_P(PageRoundTrip, SavingWhatWasReadGivesTheSameBytesPlusCrLf)
{
    const RoundTripCase& c = GetParam();
    const QString path = pathOf(QStringLiteral("page.html"));
    writeBytes(path, c.bytes);

    const PageFileContent content = readPageFile(path);
    ASSERT_TRUE(content.ok) << content.error.toStdString();
    EXPECT_EQ(content.encoding.kind, c.kind);
    EXPECT_EQ(content.encoding.byteOrderMark, c.byteOrderMark);
    // Where the file holds the text as UTF-8, those bytes are the text's:
    // a UTF-8 page, or a single-byte page that is ASCII throughout.
    const bool asciiSingleByte = (c.kind == PageEncoding::Windows1252 || c.kind == PageEncoding::Latin1)
        && std::all_of(c.bytes.begin(), c.bytes.end(), [](char b) { return uchar(b) < 0x80; });
    const bool heldAsUtf8 = c.kind == PageEncoding::Utf8 || asciiSingleByte;
    EXPECT_EQ(content.utf8().isEmpty(), !heldAsUtf8 || content.text.isEmpty());
    EXPECT_EQ(content.utf8(), heldAsUtf8 ? content.text.toUtf8() : QByteArray());
    EXPECT_EQ(content.utf8Bytes(), content.utf8().toByteArray());

    QString error;
    ASSERT_TRUE(writePageFile(path, content.text, content.encoding, &error)) << error.toStdString();
    // A page that ends with a line break keeps its bytes; any other gets one CR LF.
    const QByteArray lineBreak = c.kind == PageEncoding::Utf16LE ? QByteArray("\r\0\n\0", 4)
        : c.kind == PageEncoding::Utf16BE                         ? QByteArray("\0\r\0\n", 4)
                                                                  : QByteArray("\r\n");
    const bool endsWithBreak = content.text.endsWith(QLatin1Char('\n')) || content.text.endsWith(QLatin1Char('\r'));
    EXPECT_EQ(readBytes(path), endsWithBreak ? c.bytes : c.bytes + lineBreak);
}

const QByteArray bom("\xEF\xBB\xBF");
const QByteArray meta1252("<META http-equiv=Content-Type content=\"text/html; charset=windows-1252\">");

INSTANTIATE_TEST_SUITE_P(
    Bytes, PageRoundTrip,
    ::testing::Values(
        RoundTripCase{"InvalidUtf8WithoutCharset", QByteArray("<p>caf\xE9 \xFF\xFE \xC3</p>"), PageEncoding::Latin1, false},
        RoundTripCase{"Windows1252Page", meta1252 + "caf\xE9 \x80 \x93q\x94 \x81\x8D\x8F\x90\x9D \xFF",
                      PageEncoding::Windows1252, false},
        RoundTripCase{"AsciiWindows1252Page", meta1252 + "<p>plain</p>\r\n", PageEncoding::Windows1252, false},
        RoundTripCase{"Iso88591InHtml5Meta", QByteArray("<meta charset=\"ISO-8859-1\">na\xEFve"),
                      PageEncoding::Windows1252, false},
        RoundTripCase{"Utf8Page", QByteArray("<meta charset=utf-8>caf\xC3\xA9 \xE6\x97\xA5 \xF0\x9F\x98\x80"),
                      PageEncoding::Utf8, false},
        RoundTripCase{"Utf8DeclaredButInvalid", QByteArray("<meta charset=utf-8>caf\xE9"), PageEncoding::Latin1, false},
        RoundTripCase{"OtherCharsetValidUtf8", QByteArray("<meta charset=shift_jis>plain"), PageEncoding::Utf8, false},
        RoundTripCase{"ByteOrderMark", bom + "<p>\xC3\xA9</p>", PageEncoding::Utf8, true},
        RoundTripCase{"ByteOrderMarkOutweighsDeclaredCharset", bom + meta1252 + "\xC3\xA9", PageEncoding::Utf8, true},
        RoundTripCase{"ByteOrderMarkThenInvalid", bom + "\xE9", PageEncoding::Latin1, true},
        RoundTripCase{"TwoByteOrderMarks", bom + bom + "x", PageEncoding::Utf8, true},
        RoundTripCase{"MixedLineEnds", QByteArray("a\r\nb\nc\rd\r\n\r\n"), PageEncoding::Utf8, false},
        RoundTripCase{"EndsWithLf", QByteArray("<p>x</p>\n"), PageEncoding::Utf8, false},
        RoundTripCase{"EndsWithCr", QByteArray("<p>x</p>\r"), PageEncoding::Utf8, false},
        RoundTripCase{"Utf16LittleEndian", QByteArray("\xFF\xFE<\0p\0>\0\xE9\0\xE5\x65\x3D\xD8\0\xDE", 16),
                      PageEncoding::Utf16LE, true},
        RoundTripCase{"Utf16BigEndianEndingInCrLf", QByteArray("\xFE\xFF\0<\0p\0>\x65\xE5\0\r\0\n", 14),
                      PageEncoding::Utf16BE, true},
        RoundTripCase{"Utf16LoneSurrogate", QByteArray("\xFF\xFE" "a\0\x00\xD8" "b\0", 8), PageEncoding::Utf16LE, true},
        RoundTripCase{"TrailingBlanks", QByteArray("text   \r\n  \t "), PageEncoding::Utf8, false},
        RoundTripCase{"Empty", QByteArray(), PageEncoding::Utf8, false}),
    [](const ::testing::TestParamInfo<RoundTripCase>& info) { return std::string(info.param.name); });

TEST(PageEncodingTest, Windows1252BytesBecomeTheirCharacters)
{
    const QByteArray bytes = meta1252 + "\xE9\x80\x93\x94\x81";
    const QString text = decodePage(bytes, detectPageEncoding(bytes));
    EXPECT_TRUE(text.endsWith(QString::fromUtf8("é€“”") + QChar(0x81)));
}

TEST(PageEncodingTest, InvalidUtf8BytesBecomeOneCharacterEach)
{
    const QByteArray bytes("a\xE9\xFF");
    EXPECT_EQ(decodePage(bytes, detectPageEncoding(bytes)), QString::fromUtf8("aéÿ"));
}

TEST(PageEncodingTest, CharactersTheEncodingCannotHoldBecomeCharacterReferences)
{
    const QString text = QString::fromUtf8("日 😀 é € ");
    EXPECT_EQ(encodePage(text, {PageEncoding::Windows1252, false}), QByteArray("&#26085; &#128512; \xE9 \x80 "));
    EXPECT_EQ(encodePage(text, {PageEncoding::Latin1, false}), QByteArray("&#26085; &#128512; \xE9 &#8364; "));
    EXPECT_EQ(encodePage(text, {PageEncoding::Utf8, true}), bom + text.toUtf8());
}

TEST(PageEncodingTest, TheDeclaredCharsetIsFoundInEitherMetaForm)
{
    EXPECT_EQ(declaredCharset(meta1252), QStringLiteral("windows-1252"));
    EXPECT_EQ(declaredCharset("<meta charset='UTF-8'>"), QStringLiteral("utf-8"));
    EXPECT_EQ(declaredCharset("<p>charset=latin1</p>"), QString());
}

// Read from a page's text, the declaration is the one its UTF-8 bytes give,
// also where characters of several bytes put it past the part searched.
TEST(PageEncodingTest, TheCharsetOfATextIsThatOfItsBytes)
{
    const QString meta = QStringLiteral("<meta charset=\"koi8-r\">");
    for (const QString& before : {QString(), QString(20000, QChar(0xE9)), QString(40000, QChar(0xE9)),
                                  QString(70000, QLatin1Char('a'))}) {
        const QString text = before + meta;
        EXPECT_EQ(declaredCharsetOfText(text), declaredCharset(text.toUtf8())) << before.size();
    }
    EXPECT_EQ(declaredCharsetOfText(QString(20000, QChar(0xE9)) + meta), QStringLiteral("koi8-r"));
    EXPECT_EQ(declaredCharsetOfText(QString(40000, QChar(0xE9)) + meta), QString());
}

struct FinalBreakCase {
    const char* name;
    QString text;
    QByteArray saved;
};

class FinalLineBreak : public PageFileTest, public ::testing::WithParamInterface<FinalBreakCase> {};

// Saving must not grow the page by a line break each time.
TEST_P(FinalLineBreak, IsAddedOnlyWhenTheTextLacksOne)
{
    const QString path = pathOf(QStringLiteral("new.html"));
    ASSERT_TRUE(writePageFile(path, GetParam().text, PageEncoding{}));
    EXPECT_EQ(readBytes(path), GetParam().saved);
    for (int save = 0; save < 3; ++save) {
        const PageFileContent again = readPageFile(path);
        ASSERT_TRUE(again.ok);
        ASSERT_TRUE(writePageFile(path, again.text, again.encoding));
    }
    EXPECT_EQ(readBytes(path), GetParam().saved);
}

// A page kept in UTF-8 is saved from the editor's own bytes: they must be
// what encoding its text gives.
TEST_P(FinalLineBreak, Utf8BytesAreWhatEncodingTheTextGives)
{
    const QString text = GetParam().text + QStringLiteral("\u00e9\u20ac\U0001F600");
    for (const bool mark : {false, true}) {
        const PageEncoding encoding{PageEncoding::Utf8, mark};
        EXPECT_EQ(utf8PageBytes(text.toUtf8(), mark), encodePage(withFinalLineBreak(text), encoding));
        EXPECT_EQ(utf8PageBytes(GetParam().text.toUtf8(), mark),
                  encodePage(withFinalLineBreak(GetParam().text), encoding));
    }
}

// A page in a single-byte encoding is saved from the editor's UTF-8 bytes
// too: every character, those the encoding lacks among them, must come out
// as encoding the text gives.
TEST_P(FinalLineBreak, SingleByteBytesAreWhatEncodingTheTextGives)
{
    const QString text = GetParam().text
        + QStringLiteral("é€‘ÿĀ中😀<b>x</b>");
    for (const PageEncoding::Kind kind : {PageEncoding::Windows1252, PageEncoding::Latin1}) {
        const PageEncoding encoding{kind, false};
        SCOPED_TRACE(int(kind));
        EXPECT_EQ(pageBytesOfUtf8(text.toUtf8(), encoding), encodePage(withFinalLineBreak(text), encoding));
        EXPECT_EQ(pageBytesOfUtf8(GetParam().text.toUtf8(), encoding),
                  encodePage(withFinalLineBreak(GetParam().text), encoding));
    }
    EXPECT_FALSE(pageBytesOfUtf8(text.toUtf8(), PageEncoding{PageEncoding::Utf16LE, true}));
}

// A save writes the editor's bytes as they are only where the file is to
// hold exactly those bytes.
TEST(PageEncodingTest, BytesAreSavedAsHeldOnlyWhereEncodingGivesThemBack)
{
    const PageEncoding utf8{PageEncoding::Utf8, false}, marked{PageEncoding::Utf8, true},
        windows{PageEncoding::Windows1252, false}, latin{PageEncoding::Latin1, false},
        utf16{PageEncoding::Utf16LE, true};
    const struct {
        QString text;
        PageEncoding encoding;
        bool asHeld;
    } cases[] = {
        {QStringLiteral("<p>a</p>\r\n"), utf8, true},
        {QStringLiteral("<p>caf\u00e9</p>\n"), utf8, true},
        {QStringLiteral("<p>a</p>\r"), windows, true},
        {QStringLiteral("<p>a</p>\r\n"), latin, true},
        {QStringLiteral("<p>caf\u00e9</p>\r\n"), windows, false},
        {QStringLiteral("<p>a</p>"), utf8, false},
        {QStringLiteral("<p>a</p>\r\n"), marked, false},
        {QStringLiteral("<p>a</p>\r\n"), utf16, false},
        {QString(), utf8, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString() + " " + std::to_string(int(c.encoding.kind)));
        const QByteArray held = c.text.toUtf8();
        EXPECT_EQ(savesAsHeld(held, c.encoding), c.asHeld);
        if (c.asHeld)
            EXPECT_EQ(held, encodePage(withFinalLineBreak(c.text), c.encoding));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FinalLineBreak,
    ::testing::Values(FinalBreakCase{"NoBreak", QStringLiteral("abc"), QByteArray("abc\r\n")},
                      FinalBreakCase{"CrLf", QStringLiteral("abc\r\n"), QByteArray("abc\r\n")},
                      FinalBreakCase{"Lf", QStringLiteral("abc\n"), QByteArray("abc\n")},
                      FinalBreakCase{"BlankLineKept", QStringLiteral("abc\r\n\r\n"), QByteArray("abc\r\n\r\n")},
                      FinalBreakCase{"Empty", QString(), QByteArray("\r\n")}),
    [](const ::testing::TestParamInfo<FinalBreakCase>& info) { return std::string(info.param.name); });

TEST(PageEncodingTest, Utf16IsReadByItsByteOrderMarkNotRefusedAsBinary)
{
    const QByteArray le("\xFF\xFE<\0b\0>\0\xE9\0", 10);
    const QByteArray be("\xFE\xFF\0<\0b\0>\0\xE9", 10);
    for (const QByteArray& bytes : {le, be}) {
        EXPECT_FALSE(detectPageEncoding(bytes).kind == PageEncoding::Utf8);
        EXPECT_EQ(decodePage(bytes, detectPageEncoding(bytes)), QString::fromUtf8("<b>é"));
    }
    // An odd number of bytes after the mark is no UTF-16 text.
    EXPECT_EQ(detectPageEncoding(le + "x").kind, PageEncoding::Latin1);
}

// Long ASCII runs are looked at eight bytes at a time: a longer character,
// valid or not, is judged the same wherever it falls in or after them.
TEST(PageEncodingTest, AFaultyCharacterIsFoundAtAnyPlaceAfterAsciiText)
{
    const struct {
        const char* name;
        QByteArray bytes;
        PageEncoding::Kind kind;
    } tails[] = {
        {"two-byte character", "\xC3\xA9", PageEncoding::Utf8},
        {"four-byte character", "\xF0\x9F\x98\x80", PageEncoding::Utf8},
        {"lone continuation byte", "\x80", PageEncoding::Latin1},
        {"overlong form", "\xC0\x80", PageEncoding::Latin1},
        {"encoded surrogate", "\xED\xA0\x80", PageEncoding::Latin1},
        {"cut short at the end", "\xE2\x82", PageEncoding::Latin1},
    };
    for (const auto& tail : tails) {
        for (int ascii = 0; ascii <= 17; ++ascii) {
            SCOPED_TRACE(testing::Message() << tail.name << " after " << ascii << " ASCII bytes");
            const QByteArray bytes = QByteArray(ascii, 'a') + tail.bytes + QByteArray(ascii % 5, 'b');
            EXPECT_EQ(detectPageEncoding(bytes).kind, tail.kind);
        }
    }
}

struct RefusedCase {
    const char* name;
    QByteArray bytes;
};

class BinaryRefusal : public PageFileTest, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(BinaryRefusal, IsNotOpenedAndTheUserIsToldWhy)
{
    const QString path = pathOf(QStringLiteral("picture.html"));
    writeBytes(path, GetParam().bytes);
    const PageFileContent content = readPageFile(path);
    EXPECT_FALSE(content.ok);
    EXPECT_TRUE(content.text.isEmpty());
    EXPECT_TRUE(content.error.contains(path));
    EXPECT_TRUE(content.error.contains(QStringLiteral("not a text file")));
}

INSTANTIATE_TEST_SUITE_P(
    Files, BinaryRefusal,
    ::testing::Values(RefusedCase{"PngHeader", QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16)},
                      RefusedCase{"NulLateInTheHead", QByteArray(5000, 'a') + QByteArray(1, '\0')},
                      RefusedCase{"ManyControlBytes", QByteArray("\x01\x02\x03\x04\x05" "abcdef")},
                      RefusedCase{"PdfDocument", QByteArray("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n")}),
    [](const ::testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

TEST_F(PageFileTest, ANulAfterTheFirst8KbDoesNotMakeAPageBinary)
{
    EXPECT_FALSE(looksBinary(QByteArray(9000, 'a') + QByteArray(1, '\0')));
    EXPECT_FALSE(looksBinary(QByteArray("\tform\x0C feed and \x1B" " escape\r\n")));
}

TEST_F(PageFileTest, AFileOver64MbIsRefused)
{
    const QString path = pathOf(QStringLiteral("huge.html"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(MaxPageFileSize + 1));
    file.close();
    const PageFileContent content = readPageFile(path);
    EXPECT_FALSE(content.ok);
    EXPECT_TRUE(content.error.contains(QStringLiteral("64 MB")));
}

TEST_F(PageFileTest, UnreadablePathsGiveAnErrorNamingTheFile)
{
    for (const QString& path : {pathOf(QStringLiteral("missing.html")), dir.path()}) {
        const PageFileContent content = readPageFile(path);
        EXPECT_FALSE(content.ok) << path.toStdString();
        EXPECT_TRUE(content.error.contains(path)) << content.error.toStdString();
    }
}

TEST_F(PageFileTest, AFailedSaveReturnsFalseWithTheReason)
{
    const QString intoMissingFolder = pathOf(QStringLiteral("no/such/folder/page.html"));
    const QString ontoAFolder = pathOf(QStringLiteral("sub"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    for (const QString& path : {intoMissingFolder, ontoAFolder}) {
        QString error;
        EXPECT_FALSE(writePageFile(path, QStringLiteral("x"), PageEncoding{}, &error)) << path.toStdString();
        EXPECT_TRUE(error.contains(path)) << error.toStdString();
        const QString reason = error.mid(error.indexOf(QStringLiteral(": ")) + 2);
        EXPECT_GT(reason.size(), 1) << error.toStdString();
    }
    EXPECT_TRUE(QFileInfo(ontoAFolder).isDir());
}

// A file size limit makes the disk take only the first bytes, like a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        previousHandler_ = signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit old_{};
    sighandler_t previousHandler_;
};

TEST_F(PageFileTest, AShortWriteFailsAndKeepsTheOldFile)
{
    const QString path = pathOf(QStringLiteral("page.html"));
    const QByteArray old("<p>the page as it was</p>\r\n");
    writeBytes(path, old);
    const QString bigger(200000, QLatin1Char('x'));
    QString error;
    bool written = true;
    {
        FileSizeLimit limit(49152);
        written = writePageFile(path, bigger, PageEncoding{}, &error);
    }
    EXPECT_FALSE(written);
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    EXPECT_EQ(readBytes(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("page.html")});
}

struct WriterCase {
    const char* name;
    std::function<bool(const QString& path, const QString& text)> write;
};

class ShortWriteRefused : public PageFileTest, public ::testing::WithParamInterface<WriterCase> {};

// Every file the program replaces keeps its old content when the disk takes
// only part of the new one.
TEST_P(ShortWriteRefused, KeepsTheOldFile)
{
    const QString path = pathOf(QStringLiteral("file"));
    const QByteArray old("old content\r\n");
    writeBytes(path, old);
    bool written = true;
    {
        FileSizeLimit limit(4096);
        written = GetParam().write(path, QString(100000, QLatin1Char('y')));
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(readBytes(path), old);
}

INSTANTIATE_TEST_SUITE_P(
    Writers, ShortWriteRefused,
    ::testing::Values(
        WriterCase{"Page", [](const QString& path, const QString& text) { return writePageFile(path, text, PageEncoding{}); }},
        WriterCase{"FontList", [](const QString& path, const QString& text) { return writeFontList(path, text); }},
        WriterCase{"SettingsFile", [](const QString& path, const QString& text) {
                       return settings::writeLines(path, QStringList{text});
                   }}),
    [](const ::testing::TestParamInfo<WriterCase>& info) { return std::string(info.param.name); });

TEST_F(PageFileTest, TheWorkingFileIsUtf8WithAByteOrderMark)
{
    const QString path = pathOf(QStringLiteral("temp.html"));
    writeBytes(path, QByteArray("a much longer old content"));
    ASSERT_TRUE(writeWorkingFileText(path, QString::fromUtf8("é日")));
    EXPECT_EQ(readBytes(path), bom + "\xC3\xA9\xE6\x97\xA5\r\n");
    EXPECT_FALSE(writeWorkingFileText(pathOf(QStringLiteral("none/temp.html")), QStringLiteral("x")));
    // A text held as UTF-8 already is written the same.
    writeBytes(path, QByteArray("a much longer old content"));
    ASSERT_TRUE(writeWorkingFileUtf8(path, QByteArrayView("\xC3\xA9\xE6\x97\xA5")));
    EXPECT_EQ(readBytes(path), bom + "\xC3\xA9\xE6\x97\xA5\r\n");
}

}
