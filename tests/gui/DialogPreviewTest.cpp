// The insert dialogs' preview browser and its file.
#include "GuiTestSupport.h"
#include "dialogs/widgets/DialogPreview.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <gtest/gtest.h>

#include <memory>

using namespace ink;

namespace {

class DialogPreviewTest : public ::testing::Test {
protected:
    QTemporaryDir folder;

    std::unique_ptr<DialogPreview> open()
    {
        auto preview = std::make_unique<DialogPreview>(folder.path());
        preview->resize(300, 200);
        preview->show();
        return preview;
    }

    static QString pageTitle(DialogPreview& preview)
    {
        return preview.view()->page()->title();
    }
};

TEST_F(DialogPreviewTest, ShowsTextFromAFileOfItsOwnAndLeavesTheUsersFilesAlone)
{
    QFile own(folder.filePath("temp.htm"));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.write("mine");
    own.close();

    auto preview = open();
    QSignalSpy loaded(preview.get(), &DialogPreview::loaded);
    preview->showText("<html><head><title>one</title></head><body>x</body></html>");
    ASSERT_TRUE(inktest::waitUntil([&] { return preview->isLoaded(); }));
    EXPECT_EQ(loaded.count(), 1);
    EXPECT_EQ(loaded.first().first().toBool(), true);
    EXPECT_EQ(pageTitle(*preview), "one");
    EXPECT_EQ(QFileInfo(preview->filePath()).absolutePath(), QDir(folder.path()).absolutePath());
    EXPECT_NE(QFileInfo(preview->filePath()).fileName(), "temp.htm");

    QFile check(folder.filePath("temp.htm"));
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    EXPECT_EQ(check.readAll(), QByteArray("mine"));
}

TEST_F(DialogPreviewTest, ALaterTextReplacesTheEarlierOne)
{
    auto preview = open();
    preview->showText("<html><head><title>one</title></head></html>");
    preview->showText("<html><head><title>two</title></head></html>");
    ASSERT_TRUE(inktest::waitUntil([&] { return preview->isLoaded(); }));
    EXPECT_EQ(pageTitle(*preview), "two");
    EXPECT_EQ(preview->shownText(), "<html><head><title>two</title></head></html>");
}

TEST_F(DialogPreviewTest, PageScriptsDoNotRun)
{
    auto preview = open();
    preview->showText("<html><head><title>before</title></head><body>"
                      "<script>document.title='after'</script></body></html>");
    ASSERT_TRUE(inktest::waitUntil([&] { return preview->isLoaded(); }));
    inktest::pump(100);
    EXPECT_EQ(pageTitle(*preview), "before");
}

TEST_F(DialogPreviewTest, TheFileGoesWithThePreview)
{
    auto preview = open();
    preview->showText("<html></html>");
    ASSERT_TRUE(inktest::waitUntil([&] { return preview->isLoaded(); }));
    const QString path = preview->filePath();
    ASSERT_TRUE(QFile::exists(path));
    preview.reset();
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

}
