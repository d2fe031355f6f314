#include "projects/PathHelpers.h"

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

}
