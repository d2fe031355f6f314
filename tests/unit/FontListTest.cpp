#include "colourfont/FontList.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ink;

namespace {

struct ParseCase {
    const char* name;
    const char* text;
    QStringList names;
};

class FontListParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(FontListParse, UsesEveryPieceButTheLast)
{
    EXPECT_EQ(parseFontList(QString::fromUtf8(GetParam().text)), GetParam().names);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FontListParse,
    ::testing::Values(ParseCase{"TwoNamesEachEnded", "Arial\r\nVerdana\r\n", {"Arial", "Verdana"}},
                      ParseCase{"OneNameWithoutFinalCrLf", "Arial", {}},
                      ParseCase{"LastNameWithoutCrLfIsLost", "Arial\r\nVerdana", {"Arial"}},
                      ParseCase{"EmptyLineIsEmptyName", "Arial\r\n\r\nTahoma\r\n", {"Arial", "", "Tahoma"}},
                      ParseCase{"BlanksKept", " Comic Sans \r\n", {" Comic Sans "}},
                      ParseCase{"BareLineFeedsDoNotSplit", "Arial\nVerdana\r\n", {"Arial\nVerdana"}},
                      ParseCase{"Empty", "", {}}),
    [](const ::testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

struct BoxCase {
    const char* name;
    const char* box;
    const char* file;
};

class FontListSave : public ::testing::TestWithParam<BoxCase> {};

TEST_P(FontListSave, EndsTheTextWithOneCrLf)
{
    EXPECT_EQ(fontListFileContent(QString::fromUtf8(GetParam().box)), QString::fromUtf8(GetParam().file));
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, FontListSave,
    ::testing::Values(BoxCase{"TypedWithoutFinalBreak", "Arial\nVerdana", "Arial\r\nVerdana\r\n"},
                      BoxCase{"UnchangedFileText", "Arial\r\nVerdana\r\n", "Arial\r\nVerdana\r\n"},
                      BoxCase{"BoxLineBreaks", "Arial\nVerdana\n", "Arial\r\nVerdana\r\n"},
                      BoxCase{"TypedEmptyLineKept", "Arial\n\n", "Arial\r\n\r\n"},
                      BoxCase{"EmptyBox", "", ""}),
    [](const ::testing::TestParamInfo<BoxCase>& info) { return std::string(info.param.name); });

TEST(FontListFile, AMissingFileGivesNoNames)
{
    QTemporaryDir dir;
    EXPECT_TRUE(readFontList(dir.filePath(QStringLiteral("fcombo.dll"))).isEmpty());
    EXPECT_TRUE(readFontList(dir.path()).isEmpty());
}

TEST(FontListFile, WrittenAndReadBackUnchanged)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fcombo.dll"));
    const QString box = QString::fromUtf8("Arial\nGaramond Prémier");
    ASSERT_TRUE(writeFontList(path, box));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("Arial\r\nGaramond Pr\xC3\xA9mier\r\n"));
    EXPECT_EQ(readFontList(path), (QStringList{"Arial", QString::fromUtf8("Garamond Prémier")}));
    EXPECT_EQ(readFontListText(path), fontListFileContent(box));
}

TEST(FontListFile, BytesThatAreNotUtf8SurviveASave)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fcombo.dll"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Caf\xE9 Sans\r\n");
    file.close();
    const QStringList names = readFontList(path);
    ASSERT_EQ(names.size(), 1);
    EXPECT_EQ(names.first(), QString::fromUtf8("Café Sans"));
}

TEST(FontListFile, AFailedSaveSaysWhy)
{
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(writeFontList(dir.filePath(QStringLiteral("gone/fcombo.dll")), QStringLiteral("Arial"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("fcombo.dll")));
}

class FontComboLayoutTest : public ::testing::Test {
protected:
    static QStringList texts(const FontComboLayout& layout)
    {
        QStringList result;
        for (const FontComboItem& item : layout.items)
            result.append(item.text);
        return result;
    }
    const QString sep = QString(123, QLatin1Char('-'));
    const QString edit = QStringLiteral("Edit Font List");
};

TEST_F(FontComboLayoutTest, FavouritesSurroundTheSortedSystemFonts)
{
    const FontComboLayout layout = fontComboLayout({"Verdana", "Arial"}, {"Times New Roman", "arial", "DejaVu Sans"});
    EXPECT_EQ(texts(layout), (QStringList{edit, sep, "Verdana", "Arial", sep, "arial", "DejaVu Sans",
                                          "Times New Roman", sep, edit, sep, "Verdana", "Arial"}));
    EXPECT_EQ(layout.items[5].kind, FontComboItem::SystemFont);
    EXPECT_EQ(layout.items[2].kind, FontComboItem::Favourite);
    EXPECT_EQ(layout.items[4].kind, FontComboItem::Separator);
    EXPECT_EQ(layout.items[9].kind, FontComboItem::EditList);
    EXPECT_EQ(layout.startIndex, 7);
}

TEST_F(FontComboLayoutTest, WithoutTimesNewRomanTheFirstSystemFontIsSelected)
{
    const FontComboLayout layout = fontComboLayout({"Arial"}, {"Zapf", "Bitstream"});
    EXPECT_EQ(layout.items[layout.startIndex].text, QStringLiteral("Bitstream"));
    EXPECT_EQ(layout.startIndex, 4);
}

TEST_F(FontComboLayoutTest, NoFavouritesAndNoFontsLeaveOnlyTheFixedItems)
{
    const FontComboLayout layout = fontComboLayout({}, {});
    EXPECT_EQ(texts(layout), (QStringList{edit, sep, sep, sep, edit, sep}));
    EXPECT_EQ(layout.startIndex, -1);
}

}

TEST(PageFontNames, DropsFoundriesAndKeepsEachNameOnce)
{
    EXPECT_EQ(ink::pageFontNames({"C059 [UKWN]", "C059 [URW]", "Arial", "Odd [name"}),
              (QStringList{"C059", "Arial", "Odd [name"}));
}
