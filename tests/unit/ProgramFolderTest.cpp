#include "base/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace ink;

namespace {

// Lays out `paths` (folders end with "/") below `root`.
void makeTree(const QString& root, const QStringList& paths)
{
    for (const QString& p : paths) {
        if (p.endsWith('/')) {
            QDir().mkpath(root + "/" + p);
        } else {
            QDir().mkpath(QFileInfo(root + "/" + p).path());
            QFile f(root + "/" + p);
            f.open(QIODevice::WriteOnly);
        }
    }
}

}

TEST(ProgramFolder, ChoosesResourceAndStateFolders)
{
    const struct {
        const char* name;
        QStringList tree;
        const char* overrideFolder; // relative to the root; "" for none
        const char* executable;
        const char* resources;
        const char* state;
        const char* pages;
    } cases[] = {
        {"build folder: everything beside the program",
         {"build/templates/"}, "", "build", "build", "build/state", "build"},
        {"installed: resources in share, settings in the user's folder",
         {"prefix/bin/", "prefix/share/inkpress/templates/"}, "", "prefix/bin",
         "prefix/share/inkpress", "config/state", "documents"},
        {"resources beside the program win over an install",
         {"prefix/bin/templates/", "prefix/share/inkpress/templates/"}, "", "prefix/bin",
         "prefix/bin", "prefix/bin/state", "prefix/bin"},
        {"the override wins even over an install",
         {"prefix/bin/", "prefix/share/inkpress/templates/", "mine/"}, "mine", "prefix/bin",
         "mine", "mine/state", "mine"},
        {"the override is taken with a trailing separator",
         {"mine/"}, "mine/", "prefix/bin", "mine", "mine/state", "mine"},
        {"nothing found: the folder of the program",
         {"bin/"}, "", "bin", "bin", "bin/state", "bin"},
        {"a file named state beside the program: settings go to the user's folder",
         {"build/templates/", "build/state"}, "", "build", "build", "config/state", "documents"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString root = dir.path();
        makeTree(root, c.tree);
        const QString override = *c.overrideFolder ? root + "/" + c.overrideFolder : QString();
        const ProgramFolders f =
            locateProgramFolders(override, root + "/" + c.executable, root + "/config",
                                 root + "/documents/");
        EXPECT_EQ(f.resources, root + "/" + c.resources);
        EXPECT_EQ(f.state, root + "/" + c.state);
        EXPECT_EQ(f.pages, root + "/" + c.pages);
    }
}

TEST(ProgramFolder, ReadOnlyProgramFolderKeepsSettingsInTheUsersFolder)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "every folder is writable to root";
    QTemporaryDir dir;
    makeTree(dir.path(), {"build/templates/"});
    QFile::setPermissions(dir.path() + "/build", QFile::ReadOwner | QFile::ExeOwner);
    const ProgramFolders f =
        locateProgramFolders({}, dir.path() + "/build", dir.path() + "/config", dir.path());
    QFile::setPermissions(dir.path() + "/build",
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(f.resources, dir.path() + "/build");
    EXPECT_EQ(f.state, dir.path() + "/config/state");
    EXPECT_EQ(f.pages, dir.path());
}
