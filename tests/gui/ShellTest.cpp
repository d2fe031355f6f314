#include "projects/widgets/Shell.h"

#include "base/widgets/Prompts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ink;

namespace {

class ShellCopyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        make(QStringLiteral("site/index.html"), "<html>");
        make(QStringLiteral("site/images/logo.gif"), "GIF");
    }
    QString at(const QString& relative) const { return dir.filePath(relative); }
    void make(const QString& relative, const QByteArray& content)
    {
        QDir().mkpath(QFileInfo(at(relative)).path());
        QFile file(at(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QByteArray content(const QString& relative) const
    {
        QFile file(at(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    QTemporaryDir dir;
};

TEST_F(ShellCopyTest, AFolderCopiedToANewNameArrivesUnderThatName)
{
    EXPECT_TRUE(shellCopy(at("site"), at("projects/mysitetemp"), false));
    EXPECT_EQ(content("projects/mysitetemp/index.html"), "<html>");
    EXPECT_EQ(content("projects/mysitetemp/images/logo.gif"), "GIF");
}

TEST_F(ShellCopyTest, AFolderCopiedToAnExistingFolderGoesInside)
{
    QDir().mkpath(at("target"));
    EXPECT_TRUE(shellCopy(at("site"), at("target"), false));
    EXPECT_EQ(content("target/site/images/logo.gif"), "GIF");
}

TEST_F(ShellCopyTest, AFileIsCopiedToANameOrIntoAFolder)
{
    QDir().mkpath(at("target"));
    EXPECT_TRUE(shellCopy(at("site/index.html"), at("target"), false));
    EXPECT_EQ(content("target/index.html"), "<html>");
    make("target/copy.html", "old");
    EXPECT_TRUE(shellCopy(at("site/index.html"), at("target/copy.html"), true));
    EXPECT_EQ(content("target/copy.html"), "<html>");
}

TEST_F(ShellCopyTest, FailuresReturnFalse)
{
    EXPECT_FALSE(shellCopy(at("nothing"), at("target"), false)) << "missing source";
    EXPECT_FALSE(shellCopy(at("site"), at("site/inner"), false)) << "folder into itself";
    EXPECT_FALSE(QFileInfo::exists(at("site/inner")));
    EXPECT_FALSE(shellCopy(at("site/index.html"), at("site/index.html"), false)) << "file onto itself";
    EXPECT_EQ(content("site/index.html"), "<html>");
}

// Answers the copy's questions and counts them.
class CountingPrompts : public Prompts {
public:
    bool answer = false;
    QStringList questions;
    void message(QWidget*, const QString&, const QString&) override {}
    void warning(QWidget*, const QString&, const QString&) override {}
    bool askYesNo(QWidget*, const QString&, const QString& text) override
    {
        questions << text;
        return answer;
    }
};

struct ReplaceCase {
    const char* name;
    bool noConfirmation;
    bool answer;
    int questions;
    bool result;
    QByteArray indexAfter;
};

class ShellCopyReplaceTest : public ShellCopyTest, public ::testing::WithParamInterface<ReplaceCase> {
protected:
    void SetUp() override
    {
        ShellCopyTest::SetUp();
        Prompts::install(&prompts);
    }
    void TearDown() override { Prompts::install(nullptr); }
    CountingPrompts prompts;
};

// A file in the way is never replaced silently.
TEST_P(ShellCopyReplaceTest, AFileInTheWayIsReplacedOnlyWhenAllowed)
{
    const ReplaceCase& c = GetParam();
    make("target/site/index.html", "mine");
    prompts.answer = c.answer;
    EXPECT_EQ(shellCopy(at("site"), at("target"), c.noConfirmation), c.result);
    EXPECT_EQ(prompts.questions.size(), c.questions);
    if (c.questions > 0)
        EXPECT_TRUE(prompts.questions.first().contains(at("target/site/index.html")));
    EXPECT_EQ(content("target/site/index.html"), c.indexAfter);
    EXPECT_EQ(content("target/site/images/logo.gif"), "GIF") << "the rest is copied";
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ShellCopyReplaceTest,
    ::testing::Values(ReplaceCase{"UserSaysNo", false, false, 1, false, "mine"},
                      ReplaceCase{"UserSaysYes", false, true, 1, true, "<html>"},
                      ReplaceCase{"NoQuestionsWanted", true, false, 0, true, "<html>"}),
    [](const ::testing::TestParamInfo<ReplaceCase>& info) { return std::string(info.param.name); });

TEST_F(ShellCopyTest, ACopyThatBreaksOffPartWayFails)
{
    // A folder stands where a file of the copy must go.
    QDir().mkpath(at("target/site/index.html"));
    EXPECT_FALSE(shellCopy(at("site"), at("target"), true));
}

TEST(BrowseForFolderTest, TheResponderAnswersInsteadOfTheDialog)
{
    QString seenStart;
    QString seenPrompt;
    setBrowseForFolderResponder([&](const QString& start, const QString& prompt) {
        seenStart = start;
        seenPrompt = prompt;
        return QStringLiteral("/chosen");
    });
    EXPECT_EQ(browseForFolder(QStringLiteral("/start"), nullptr, QStringLiteral("&Select a directory:")),
              QStringLiteral("/chosen"));
    setBrowseForFolderResponder({});
    EXPECT_EQ(seenStart, QStringLiteral("/start"));
    EXPECT_EQ(seenPrompt, QStringLiteral("&Select a directory:"));
}

}
