#include "base/SettingsFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ink;

namespace {

QString writeFile(const QTemporaryDir& dir, const QByteArray& bytes)
{
    const QString path = dir.filePath("s.ini");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

QStringList linesOf(const QByteArray& bytes)
{
    QTemporaryDir dir;
    return settings::readLines(writeFile(dir, bytes));
}

}

TEST(SettingsFiles, WriteEndsEveryValueAndTheFileWithCrLf)
{
    QTemporaryDir dir;
    FloatingWindowSettings s{100, 200.5, 3000, 4000};
    ASSERT_TRUE(settings::writeLines(dir.filePath("s3.ini"), s.lines()));
    QFile f(dir.filePath("s3.ini"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("100\r\n200.5\r\n3000\r\n4000\r\n\r\n"));
}

TEST(SettingsFiles, UnwritableFileFailsQuietly)
{
    EXPECT_FALSE(settings::writeLines("/nonexistent-folder/x/settings2.ini", {"True"}));
}

TEST(SettingsFiles, MainWindowRoundTrip)
{
    MainWindowSettings s;
    s.menuChecks = {false, true, false, true, true, false, false, false, true};
    s.top = 150;
    s.left = 300;
    s.width = 15000;
    s.height = 9000.5;
    s.panelWidth = 3900;
    s.stripBVisible = false;
    s.floatingStandardShown = true;
    s.bandsB[2] = false;
    s.bandsCoolBar[5] = false;
    const QStringList lines = s.lines();
    ASSERT_EQ(lines.size(), 29);

    MainWindowSettings back;
    back.applyMenusPanelAndStrips(lines);
    back.applyPlacement(lines);
    back.applyBands(lines);
    EXPECT_EQ(back.menuChecks, s.menuChecks);
    EXPECT_EQ(back.height, 9000.5);
    EXPECT_EQ(back.panelWidth, 3900);
    EXPECT_FALSE(back.stripBVisible);
    EXPECT_TRUE(back.floatingStandardShown);
    EXPECT_FALSE(back.bandsB[2]);
    EXPECT_FALSE(back.bandsCoolBar[5]);
}

TEST(SettingsFiles, MissingFileKeepsInitialState)
{
    const QStringList lines = settings::readLines("/nonexistent/settings2.ini");
    MainWindowSettings s;
    const MainWindowSettings initial;
    s.top = 77;
    s.applyMenusPanelAndStrips(lines);
    s.applyPlacement(lines);
    s.applyBands(lines);
    EXPECT_EQ(s.menuChecks, initial.menuChecks);
    EXPECT_EQ(s.top, 77);
    EXPECT_TRUE(s.stripBVisible);
    EXPECT_FALSE(s.floatingStandardShown);
}

TEST(SettingsFiles, ShortFileRestoresOnlyTheMenuChecks)
{
    const QStringList lines =
        linesOf("False\r\nTrue\r\nFalse\r\nTrue\r\nTrue\r\nFalse\r\nFalse\r\nFalse\r\nFalse\r\n");
    MainWindowSettings s;
    s.top = 42;
    s.panelWidth = 3000;
    s.applyMenusPanelAndStrips(lines);
    s.applyPlacement(lines);
    s.applyBands(lines);
    EXPECT_EQ(s.menuChecks, (std::array<bool, 9>{false, true, false, true, true, false, false,
                                                  false, false}));
    EXPECT_EQ(s.top, 42);
    EXPECT_EQ(s.panelWidth, 3000);
    EXPECT_TRUE(s.bandsB[0]);
}

TEST(SettingsFiles, LowerCaseTrueChecksAMenuButDoesNotFloatAWindow)
{
    QStringList lines(29, "True");
    lines[6] = "true";
    lines[16] = "true";
    lines[17] = "True";
    MainWindowSettings s;
    s.menuChecks[6] = false;
    s.applyMenusPanelAndStrips(lines);
    EXPECT_TRUE(s.menuChecks[6]);
    EXPECT_FALSE(s.floatingStandardShown);
    EXPECT_TRUE(s.floatingFormattingShown);
}

TEST(SettingsFiles, GarbageLeavesEachValueAlone)
{
    const QStringList lines = linesOf(QByteArray("\xff\x00zz\r\nmaybe\r\n\r\n", 12)
                                      + QByteArray(5000, 'x'));
    MainWindowSettings s;
    s.top = 5;
    s.applyMenusPanelAndStrips(lines);
    s.applyPlacement(lines);
    s.applyBands(lines);
    EXPECT_EQ(s.menuChecks, MainWindowSettings().menuChecks);
    EXPECT_EQ(s.top, 5);
}

TEST(SettingsFiles, DocumentWindowBoxes)
{
    DocumentWindowSettings s;
    s.apply(linesOf("0\r\n1\r\n\r\n"));
    EXPECT_FALSE(s.syntax);
    EXPECT_TRUE(s.details);
    EXPECT_EQ(s.lines(), (QStringList{"0", "1"}));

    DocumentWindowSettings broken;
    broken.apply(linesOf("2\r\nabc"));
    EXPECT_TRUE(broken.syntax);
    EXPECT_TRUE(broken.details);
}

TEST(SettingsFiles, TwipsTextForms)
{
    EXPECT_EQ(settings::formatTwips(1234), "1234");
    EXPECT_EQ(settings::formatTwips(1234.5), "1234.5");
    EXPECT_EQ(settings::formatTwips(123456), "123456");
    EXPECT_FALSE(settings::parseTwips("nan").has_value());
    EXPECT_FALSE(settings::parseTwips("").has_value());
    EXPECT_EQ(settings::parseTwips("9000").value(), 9000);
}
