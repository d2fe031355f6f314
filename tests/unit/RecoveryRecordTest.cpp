#include "document/FileStamp.h"
#include "document/RecoveryRecord.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

using namespace ink;

namespace {

RecoveryRecord sampleRecord()
{
    RecoveryRecord r;
    r.pid = 4242;
    r.slot = 3;
    r.folder = QStringLiteral("/home/ann/my pages/100%");
    r.caption = QStringLiteral("caf\u00e9: one\nline.html");
    r.encoding = {PageEncoding::Windows1252, false};
    r.original.exists = true;
    r.original.size = 1234;
    r.original.modifiedMs = 1765000000123;
    r.original.hash = FileStamp::hashOf("old bytes");
    r.workingFiles = {QStringLiteral("/home/ann/my pages/100%/.inkpress-work-4242-3.html")};
    r.text = QStringLiteral("<HTML>\r\n<BODY>MINE \u20ac\n\nsecond: part</BODY>\r\n</HTML>");
    return r;
}

RecoveryRecord parsed(const QByteArray& bytes, bool* ok)
{
    RecoveryRecord r;
    *ok = parseRecovery(bytes, &r);
    return r;
}

}

TEST(RecoveryRecord, RoundTripKeepsEveryField)
{
    struct Case {
        const char* name;
        std::function<void(RecoveryRecord&)> change;
    } cases[] = {
        {"a saved page in windows-1252", [](RecoveryRecord&) {}},
        {"an untitled page never saved",
         [](RecoveryRecord& r) {
             r.caption = QStringLiteral("Untitled");
             r.original = FileStamp();
             r.workingFiles.clear();
         }},
        {"empty text", [](RecoveryRecord& r) { r.text.clear(); }},
        {"UTF-16 page with a lone surrogate",
         [](RecoveryRecord& r) {
             r.encoding = {PageEncoding::Utf16BE, true};
             r.text = QStringLiteral("<p>a") + QChar(0xD800) + QStringLiteral("b</p>");
         }},
        {"text that looks like the header",
         [](RecoveryRecord& r) { r.text = QStringLiteral("\n\nInkpress recovery 1\npid: 1\n\n"); }},
        {"UTF-8 with a byte order mark", [](RecoveryRecord& r) { r.encoding = {PageEncoding::Utf8, true}; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecoveryRecord record = sampleRecord();
        c.change(record);
        bool ok = false;
        const RecoveryRecord back = parsed(serializeRecovery(record), &ok);
        ASSERT_TRUE(ok);
        EXPECT_EQ(back.text, record.text);
        EXPECT_EQ(back.caption, record.caption);
        EXPECT_EQ(back.folder, record.folder);
        EXPECT_TRUE(back == record);
    }
}

// Copies left by an earlier version of the program hold the SHA-256 of
// their text and of the file they were made from: they are still read, and
// still refused when damaged.
TEST(RecoveryRecord, CopiesOfAnEarlierVersionAreStillRead)
{
    RecoveryRecord record = sampleRecord();
    record.original.hash = FileStamp::sha256Of("old bytes");
    QByteArray earlier = serializeRecovery(record);
    const qsizetype bodyStart = earlier.indexOf("\n\n") + 2;
    const QByteArray body = earlier.mid(bodyStart);
    earlier.replace("text-hash: " + FileStamp::hashOf(body).toHex(),
                    "text-hash: " + FileStamp::sha256Of(body).toHex());
    bool ok = false;
    const RecoveryRecord back = parsed(earlier, &ok);
    ASSERT_TRUE(ok);
    EXPECT_TRUE(back == record);
    earlier[bodyStart + 1] = char(earlier[bodyStart + 1] ^ 0x20);
    parsed(earlier, &ok);
    EXPECT_FALSE(ok);
}

TEST(RecoveryRecord, DamagedFilesAreRefusedWhole)
{
    const QByteArray good = serializeRecovery(sampleRecord());
    const qsizetype bodyStart = good.indexOf("\n\n") + 2;
    QByteArray flipped = good;
    flipped[bodyStart + 5] = char(flipped[bodyStart + 5] ^ 0x20);
    QByteArray longer = good + "x";
    QByteArray badPid = good;
    badPid.replace("pid: 4242", "pid: -1");
    QByteArray twice = good;
    twice.replace("slot: 3\n", "slot: 3\nslot: 4\n");
    QByteArray noHash = good;
    noHash.replace("text-hash: ", "text-hush: ");
    QByteArray slashName = serializeRecovery([] {
        RecoveryRecord r = sampleRecord();
        r.caption = QStringLiteral("../../etc/passwd");
        return r;
    }());
    QByteArray dotName = serializeRecovery([] {
        RecoveryRecord r = sampleRecord();
        r.caption = QStringLiteral("..");
        return r;
    }());
    QByteArray oddUtf16 = serializeRecovery([] {
        RecoveryRecord r = sampleRecord();
        r.text = QString(QChar(0xDC00));
        return r;
    }());
    oddUtf16.chop(1);
    oddUtf16.replace("text-length: 2", "text-length: 1");

    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"empty file", QByteArray()},
        {"header only", QByteArray("Inkpress recovery 1\n")},
        {"cut in the fields", good.left(good.indexOf("encoding"))},
        {"cut in the text", good.left(good.size() - 3)},
        {"a byte of the text changed", flipped},
        {"bytes after the text", longer},
        {"another version", QByteArray(good).replace("recovery 1", "recovery 9")},
        {"a negative process id", badPid},
        {"a field twice", twice},
        {"a field missing", noHash},
        {"a caption naming another folder", slashName},
        {"a caption that is a folder", dotName},
        {"half a UTF-16 unit", oddUtf16},
        {"binary noise", QByteArray("\x00\xff\xfe\x01PK\x03\x04", 8).repeated(100)},
        {"a page, not a copy", QByteArray("<html><body>hello</body></html>")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecoveryRecord record = sampleRecord();
        record.text = QStringLiteral("untouched");
        EXPECT_FALSE(parseRecovery(c.bytes, &record));
        EXPECT_EQ(record.text, QStringLiteral("untouched"));
    }
}

TEST(RecoveryRecord, EveryShorterPrefixIsRefused)
{
    // A kill during a write can leave any prefix of the file behind.
    const QByteArray good = serializeRecovery(sampleRecord());
    for (qsizetype n = 0; n < good.size(); ++n) {
        RecoveryRecord record;
        ASSERT_FALSE(parseRecovery(good.left(n), &record)) << "prefix of " << n << " bytes";
    }
}
