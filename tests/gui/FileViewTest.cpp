// The folder list widget on its own: what it lists and what a selection
// stands for.
#include "GuiTestSupport.h"
#include "projects/widgets/FileView.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class FileViewTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ink::FileView view;

    void SetUp() override
    {
        for (const char* name : {"Business.png", "a.htm", "a.html", "README"}) {
            QFile f(dir.filePath(QString::fromLatin1(name)));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
        QDir(dir.path()).mkdir("Business");
        view.resize(300, 200);
        view.show();
    }

    QStringList texts() const
    {
        QStringList t;
        for (int i = 0; i < view.list()->count(); ++i)
            t << view.list()->item(i)->text();
        return t;
    }
};

TEST_F(FileViewTest, ListsEachFileOnceEvenWhenShownTwice)
{
    ASSERT_TRUE(view.ShowPath(dir.path()));
    ASSERT_TRUE(view.ShowPath(dir.path()));
    EXPECT_EQ(texts(), (QStringList{"Business", "", "a", "a"}));
    EXPECT_EQ(view.list()->geometry(), QRect(0, 0, 300, 200));
}

TEST_F(FileViewTest, AMissingFolderKeepsTheList)
{
    ASSERT_TRUE(view.ShowPath(dir.path()));
    EXPECT_FALSE(view.ShowPath(dir.filePath("missing")));
    EXPECT_EQ(view.list()->count(), 4);
    EXPECT_EQ(view.folder(), dir.path());
}

struct SelectionCase {
    const char* name;
    int row;              // -1 = nothing selected
    const char* text;
    const char* itemBelowFolder;  // "" = empty item
};

class FileViewSelection : public FileViewTest, public ::testing::WithParamInterface<SelectionCase> {};

TEST_P(FileViewSelection, StandsForTheEntryInTheFolder)
{
    const SelectionCase& c = GetParam();
    ASSERT_TRUE(view.ShowPath(dir.path()));
    if (c.row >= 0)
        view.list()->setCurrentRow(c.row);
    EXPECT_EQ(view.nameofitem(), QString::fromLatin1(c.text));
    const QString below = QString::fromLatin1(c.itemBelowFolder);
    EXPECT_EQ(view.item(), below.isEmpty() ? QString() : dir.path() + "/" + below);
}

INSTANTIATE_TEST_SUITE_P(
    Selections, FileViewSelection,
    ::testing::Values(SelectionCase{"Nothing", -1, "", ""},
                      SelectionCase{"PictureOfASubfolder", 0, "Business", "Business"},
                      SelectionCase{"NoExtension", 1, "", ""},
                      SelectionCase{"Extension", 2, "a", "a"}),
    [](const ::testing::TestParamInfo<SelectionCase>& info) { return std::string(info.param.name); });

}
