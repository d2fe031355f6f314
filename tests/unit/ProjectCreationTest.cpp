#include "projects/FolderListing.h"
#include "projects/ProjectCreation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace ink;

namespace {

void writeFile(const QString& path, const QByteArray& bytes = "x")
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList entriesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// --- The folder list of templates ---

TEST(FolderListing, FilesOnlyByNameWithoutTheirLastExtension)
{
    QTemporaryDir dir;
    for (const char* name : {"b.site.html", "Business.png", "a.htm", "a.html", "README", ".hidden"})
        writeFile(dir.filePath(QString::fromLatin1(name)));
    QDir(dir.path()).mkdir("Business");
    QStringList names, texts;
    for (const FolderEntry& e : listFolderFiles(dir.path())) {
        names << e.fileName;
        texts << e.text;
    }
    EXPECT_EQ(names, (QStringList{"Business.png", "README", "a.htm", "a.html", "b.site.html"}));
    EXPECT_EQ(texts, (QStringList{"Business", "", "a", "a", "b.site"}));
}

TEST(FolderListing, MissingFolderIsReportedAndListsNothing)
{
    bool exists = true;
    EXPECT_TRUE(listFolderFiles(QStringLiteral("/no/such/folder/here"), &exists).isEmpty());
    EXPECT_FALSE(exists);
    EXPECT_TRUE(listFolderFiles(QString(), &exists).isEmpty());
    EXPECT_FALSE(exists);
}

// --- Project names ---

struct NameCase {
    const char* name;
    QString projectName;
    bool accepted;
};

class ProjectNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(ProjectNames, OnlyOneUsableFolderNameIsAccepted)
{
    EXPECT_EQ(projectNameProblem(GetParam().projectName).isEmpty(), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ProjectNames,
    ::testing::Values(NameCase{"Plain", "My site", true},
                      NameCase{"Dotted", "site.v2", true},
                      NameCase{"NonAscii", QStringLiteral("Café"), true},
                      NameCase{"Empty", "", false},
                      NameCase{"Blank", "   ", false},
                      NameCase{"Slash", "a/b", false},
                      NameCase{"Absolute", "/tmp/site", false},
                      NameCase{"Backslash", "a\\b", false},
                      NameCase{"Dot", ".", false},
                      NameCase{"DotDot", "..", false},
                      NameCase{"Nul", QString(QChar(0)) + "x", false},
                      NameCase{"Tab", "a\tb", false},
                      NameCase{"TooLong", QString(256, QLatin1Char('a')), false},
                      NameCase{"LongestAllowed", QString(255, QLatin1Char('a')), true}),
    [](const ::testing::TestParamInfo<NameCase>& info) { return std::string(info.param.name); });

// --- What lies at the target ---

TEST(ProjectTarget, AnythingInsideAFolderCountsAsOccupied)
{
    QTemporaryDir dir;
    const auto at = [&](const char* name) { return projectTarget(dir.filePath(QString::fromLatin1(name))); };
    QDir(dir.path()).mkpath("empty");
    QDir(dir.path()).mkpath("onlySubfolder/inner");
    writeFile(dir.filePath("onlyHidden/.keep"));
    writeFile(dir.filePath("withFile/index.html"));
    writeFile(dir.filePath("aFile"));
    EXPECT_EQ(at("missing"), ProjectTarget::Free);
    EXPECT_EQ(at("empty"), ProjectTarget::EmptyFolder);
    EXPECT_EQ(at("onlySubfolder"), ProjectTarget::Occupied);
    EXPECT_EQ(at("onlyHidden"), ProjectTarget::Occupied);
    EXPECT_EQ(at("withFile"), ProjectTarget::Occupied);
    EXPECT_EQ(at("aFile"), ProjectTarget::NotAFolder);
}

TEST(ProjectTarget, IntermediateNameSkipsTakenOnes)
{
    QTemporaryDir dir;
    EXPECT_EQ(unusedPathFor(dir.path(), "Business"), dir.filePath("Businesstemp"));
    QDir(dir.path()).mkdir("Businesstemp");
    writeFile(dir.filePath("Businesstemp2"));
    EXPECT_EQ(unusedPathFor(dir.path(), "Business"), dir.filePath("Businesstemp3"));
}

// --- Creating the project ---

class CreateProject : public ::testing::Test {
protected:
    QTemporaryDir root;
    QString templ;
    QString parent;

    void SetUp() override
    {
        templ = root.filePath("templates/Business");
        writeFile(templ + "/index.html", "<html></html>");
        writeFile(templ + "/css/style.css", "body{}");
        writeFile(templ + "/.htaccess", "deny");
        parent = root.filePath("sites");
        QDir().mkpath(parent);
    }
};

TEST_F(CreateProject, CopiesTheWholeTemplateUnderTheProjectName)
{
    const ProjectResult r = createProject(templ, parent, "Shop");
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.folder, parent + "/Shop");
    EXPECT_EQ(readFile(parent + "/Shop/index.html"), "<html></html>");
    EXPECT_EQ(readFile(parent + "/Shop/css/style.css"), "body{}");
    EXPECT_EQ(readFile(parent + "/Shop/.htaccess"), "deny");
    EXPECT_EQ(entriesOf(parent), QStringList{"Shop"});
}

TEST_F(CreateProject, TakesOverAnEmptyFolderOfThatName)
{
    QDir(parent).mkdir("Shop");
    const ProjectResult r = createProject(templ, parent, "Shop");
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(readFile(parent + "/Shop/index.html"), "<html></html>");
    EXPECT_EQ(entriesOf(parent), QStringList{"Shop"});
}

TEST_F(CreateProject, NeverTouchesAnOccupiedFolder)
{
    writeFile(parent + "/Shop/sub/mine.html", "my own page");
    const ProjectResult r = createProject(templ, parent, "Shop");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "Project already exists");
    EXPECT_EQ(entriesOf(parent + "/Shop"), QStringList{"sub"});
    EXPECT_EQ(readFile(parent + "/Shop/sub/mine.html"), "my own page");
    EXPECT_EQ(entriesOf(parent), QStringList{"Shop"});
}

TEST_F(CreateProject, KeepsAnExistingIntermediateFolder)
{
    writeFile(parent + "/Businesstemp/keep.txt", "keep");
    const ProjectResult r = createProject(templ, parent, "Shop");
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(readFile(parent + "/Businesstemp/keep.txt"), "keep");
    EXPECT_EQ(entriesOf(parent), (QStringList{"Businesstemp", "Shop"}));
}

struct RefusalCase {
    const char* name;
    const char* projectName;
    const char* parentBelowRoot;  // "" for the prepared parent
    const char* messagePart;
};

class CreateProjectRefusals : public CreateProject, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(CreateProjectRefusals, SayWhyAndCopyNothing)
{
    const RefusalCase& c = GetParam();
    writeFile(parent + "/aFile");
    const QString p = QString::fromLatin1(c.parentBelowRoot).isEmpty()
        ? parent
        : root.filePath(QString::fromLatin1(c.parentBelowRoot));
    const ProjectResult r = createProject(templ, p, QString::fromUtf8(c.projectName));
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains(QString::fromLatin1(c.messagePart))) << r.error.toStdString();
    EXPECT_EQ(entriesOf(parent), QStringList{"aFile"});
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, CreateProjectRefusals,
    ::testing::Values(RefusalCase{"EscapingName", "../x", "", "\"/\""},
                      RefusalCase{"FileOfThatName", "aFile", "", "A file named"},
                      RefusalCase{"MissingParent", "Shop", "nowhere", "does not exist"},
                      RefusalCase{"ParentIsAFile", "Shop", "sites/aFile", "does not exist"}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

TEST_F(CreateProject, MissingTemplateFolderIsRefused)
{
    const ProjectResult r = createProject(root.filePath("templates/README"), parent, "Shop");
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains("template"));
    EXPECT_TRUE(entriesOf(parent).isEmpty());
}

TEST_F(CreateProject, ACopyFailingPartWayIsRemovedAndReported)
{
    const FolderCopier failing = [](const QString& from, const QString& to, QString* error) {
        QDir().mkpath(to + "/css");
        QFile::copy(from + "/index.html", to + "/index.html");
        *error = QStringLiteral("Could not copy style.css: No space left on device");
        return false;
    };
    const ProjectResult r = createProject(templ, parent, "Shop", failing);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains("No space left on device"));
    EXPECT_TRUE(entriesOf(parent).isEmpty());
}

TEST_F(CreateProject, AFailureNamesTheProjectFolderNotThePassingCopy)
{
    // The tree copy refuses a folder that is there already: its own message
    // names the folder it was given, which is the passing copy.
    const FolderCopier refused = [](const QString& from, const QString& to, QString* error) {
        QDir().mkdir(to);
        return copyFolderTree(from, to, error);
    };
    const ProjectResult r = createProject(templ, parent, "Shop", refused);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "Could not create the folder " + parent + "/Shop: it already exists");
    EXPECT_TRUE(entriesOf(parent).isEmpty());
}

TEST_F(CreateProject, AFileThatCannotBeCopiedStopsTheCopyAndLeavesNothing)
{
    // A named pipe is no file the copy can take, whoever runs the test.
    ASSERT_EQ(mkfifo(QFile::encodeName(templ + "/pipe").constData(), 0600), 0);
    const ProjectResult r = createProject(templ, parent, "Shop");
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.startsWith("Could not copy " + templ + "/pipe: ")) << r.error.toStdString();
    EXPECT_TRUE(entriesOf(parent).isEmpty());
}

TEST_F(CreateProject, AReadOnlyParentIsReportedWithTheReason)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    QFile::setPermissions(parent, QFile::ReadOwner | QFile::ExeOwner);
    const ProjectResult r = createProject(templ, parent, "Shop");
    QFile::setPermissions(parent, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains("Permission denied")) << r.error.toStdString();
    EXPECT_TRUE(entriesOf(parent).isEmpty());
}

TEST_F(CreateProject, TreeCopyNeverWritesIntoAnExistingFolder)
{
    const QString to = parent + "/copy";
    writeFile(to + "/index.html", "mine");
    QString error;
    EXPECT_FALSE(copyFolderTree(templ, to, &error));
    EXPECT_TRUE(error.contains("already exists")) << error.toStdString();
    EXPECT_EQ(readFile(to + "/index.html"), "mine");
}

}
