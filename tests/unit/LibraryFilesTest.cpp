#include "codetools/LibraryFiles.h"

#include <gtest/gtest.h>

using namespace ink;

namespace {

struct SnippetNameCase {
    const char* name;
    const char* path;
    bool accepted;
};

class SnippetNames : public ::testing::TestWithParam<SnippetNameCase> {};

TEST_P(SnippetNames, PatternsAndEmptyNamesAreNoFileNames)
{
    EXPECT_EQ(snippetNameProblem(QString::fromUtf8(GetParam().path)).isEmpty(), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Names, SnippetNames,
    ::testing::Values(SnippetNameCase{"Plain", "/lib/footer.html", true},
                      SnippetNameCase{"NoExtension", "/lib/footer", true},
                      SnippetNameCase{"StarInFolderOnly", "/lib*/footer.html", true},
                      SnippetNameCase{"AllFilesPattern", "/lib/*.*", false},
                      SnippetNameCase{"Star", "/lib/*", false},
                      SnippetNameCase{"Question", "/lib/a?.txt", false},
                      SnippetNameCase{"FolderOnly", "/lib/", false},
                      SnippetNameCase{"Blank", "/lib/  ", false}),
    [](const ::testing::TestParamInfo<SnippetNameCase>& info) { return std::string(info.param.name); });


}
