#include "projects/PathHelpers.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace ink;

namespace {

struct PathCase {
    const char* name;
    const char* path;
    const char* folder;
    const char* fileName;
    const char* baseName;
};

class PathParts : public ::testing::TestWithParam<PathCase> {};

TEST_P(PathParts, SplitsAtTheLastSeparator)
{
    const PathCase& c = GetParam();
    EXPECT_EQ(folderOfPath(QString::fromUtf8(c.path)), QString::fromUtf8(c.folder));
    EXPECT_EQ(fileNameOfPath(QString::fromUtf8(c.path)), QString::fromUtf8(c.fileName));
    EXPECT_EQ(baseNameOfPath(QString::fromUtf8(c.path)), QString::fromUtf8(c.baseName));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, PathParts,
    ::testing::Values(
        PathCase{"FileInFolder", "/site/index.html", "/site", "index.html", "index"},
        PathCase{"TrailingSeparator", "/site/proj/", "/site/proj", "", ""},
        PathCase{"NoSeparator", "index.html", "", "index.html", "index"},
        PathCase{"OnlyLeadingSeparator", "/index.html", "", "index.html", "index"},
        PathCase{"TwoLevels", "/a/b", "/a", "b", ""},
        PathCase{"SeveralDots", "/css/my.site.css", "/css", "my.site.css", "my.site"},
        PathCase{"NameWithoutDot", "README", "", "README", ""},
        PathCase{"OnlyExtension", ".htaccess", "", ".htaccess", ""},
        PathCase{"DotInFolderNotInName", "/x.y/file", "/x.y", "file", ""},
        PathCase{"DoubledSeparator", "a//b.txt", "a/", "b.txt", "b"},
        PathCase{"Empty", "", "", "", ""},
        PathCase{"NonAscii", "/sité/ünï.html", "/sité", "ünï.html", "ünï"}),
    [](const ::testing::TestParamInfo<PathCase>& info) { return std::string(info.param.name); });

struct SubstrCase {
    const char* name;
    const char* text;
    int left;
    int right;
    const char* expected;
};

class Substr : public ::testing::TestWithParam<SubstrCase> {};

TEST_P(Substr, TakesTheTailOfTheHead)
{
    const SubstrCase& c = GetParam();
    EXPECT_EQ(substr(QString::fromUtf8(c.text), c.left, c.right), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Counts, Substr,
    ::testing::Values(SubstrCase{"Middle", "abcdef", 4, 2, "cd"},
                      SubstrCase{"LeftBeyondText", "abc", 10, 2, "bc"},
                      SubstrCase{"RightBeyondHead", "abcdef", 2, 5, "ab"},
                      SubstrCase{"ZeroLeft", "abc", 0, 2, ""},
                      SubstrCase{"ZeroRight", "abc", 3, 0, ""},
                      SubstrCase{"NegativeLeft", "abc", -1, 2, ""},
                      SubstrCase{"NegativeRight", "abc", 2, -1, ""}),
    [](const ::testing::TestParamInfo<SubstrCase>& info) { return std::string(info.param.name); });

struct AbsoluteCase {
    const char* name;
    const char* path;
    const char* expected; // below the current folder unless it starts with "/"
};

class AbsolutePath : public ::testing::TestWithParam<AbsoluteCase> {};

// A relative page path must name the file in the current folder, never "/page.html".
TEST_P(AbsolutePath, IsTakenFromTheCurrentFolder)
{
    const AbsoluteCase& c = GetParam();
    const QString expected = QString::fromUtf8(c.expected);
    EXPECT_EQ(absolutePath(QString::fromUtf8(c.path)),
              expected.startsWith('/') || expected.isEmpty() ? expected : QDir::currentPath() + '/' + expected);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, AbsolutePath,
    ::testing::Values(AbsoluteCase{"BareName", "page.html", "page.html"},
                      AbsoluteCase{"DotSlash", "./page.html", "page.html"},
                      AbsoluteCase{"SubFolder", "sub/../sub/page.html", "sub/page.html"},
                      AbsoluteCase{"AlreadyAbsolute", "/site/./a/../page.html", "/site/page.html"},
                      AbsoluteCase{"Empty", "", ""}),
    [](const ::testing::TestParamInfo<AbsoluteCase>& info) { return std::string(info.param.name); });

}
