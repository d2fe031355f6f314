#include "projects/CommonDialog.h"
#include "GuiTestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace ink;

namespace {

const QString pageFilter = QStringLiteral("HTML Files|*.html;*.htm|All Files|*.*");

class CommonDialogShowTest : public ::testing::Test {
protected:
    void TearDown() override { cCommonDialog::setTestResponder({}); }

    // Answers the next file dialog that opens with `answer` once it is up.
    static void whenDialogShows(const std::function<void(QFileDialog*)>& answer)
    {
        QTimer::singleShot(0, [answer] {
            QFileDialog* dialog = nullptr;
            inktest::waitUntil([&] {
                for (QWidget* widget : QApplication::topLevelWidgets()) {
                    if ((dialog = qobject_cast<QFileDialog*>(widget)) && dialog->isVisible())
                        return true;
                }
                return false;
            });
            if (dialog)
                answer(dialog);
        });
    }
};

TEST_F(CommonDialogShowTest, TheResponderStandsInForTheDialog)
{
    int seenFilterIndex = -5;
    cCommonDialog::setTestResponder([&](const cCommonDialog& dialog) {
        seenFilterIndex = dialog.FilterIndex;
        return QStringList{"/site/a.html", "/site/b.html", "/site/c.html"};
    });
    cCommonDialog dialog;
    dialog.Filter = pageFilter;
    dialog.FilterIndex = 0;
    dialog.flags = 6660;
    EXPECT_TRUE(dialog.ShowOpen());
    EXPECT_EQ(seenFilterIndex, 1);

    QString folder;
    QStringList names;
    int count = 0;
    dialog.ParseMultiFileName(folder, names, count);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(folder, QStringLiteral("/site"));
    EXPECT_EQ(names, (QStringList{"a.html", "b.html", "c.html"}));
}

TEST_F(CommonDialogShowTest, AnEmptyAnswerIsACancel)
{
    cCommonDialog::setTestResponder([](const cCommonDialog&) { return QStringList(); });
    cCommonDialog dialog;
    dialog.Filter = pageFilter;
    dialog.flags = 6660;
    EXPECT_FALSE(dialog.ShowOpen());
    EXPECT_TRUE(dialog.Filename.isEmpty());
    EXPECT_EQ(dialog.FilterIndex, -1);
    EXPECT_EQ(dialog.flags, 0u);
}

TEST_F(CommonDialogShowTest, SaveAddsTheDefaultExtensionToANameWithoutOne)
{
    cCommonDialog::setTestResponder([](const cCommonDialog&) { return QStringList{"/site/page"}; });
    cCommonDialog dialog;
    dialog.DefaultExt = QStringLiteral("html");
    EXPECT_TRUE(dialog.ShowSave());
    EXPECT_EQ(dialog.Filename, QStringLiteral("/site/page.html"));
    EXPECT_EQ(dialog.FileTitle, QStringLiteral("page.html"));
}

TEST_F(CommonDialogShowTest, TheOpenDialogOffersTheFilterPairsAndSeveralExistingFiles)
{
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("index.html"));
    QFile(page).open(QIODevice::WriteOnly);

    QStringList nameFilters;
    QString selectedFilter;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    QString title;
    whenDialogShows([&](QFileDialog* shown) {
        nameFilters = shown->nameFilters();
        selectedFilter = shown->selectedNameFilter();
        mode = shown->fileMode();
        title = shown->windowTitle();
        shown->selectFile(page);
        static_cast<QDialog*>(shown)->accept();
    });
    cCommonDialog dialog;
    dialog.DialogTitle = QStringLiteral("Open File(s)");
    dialog.InitDir = dir.path();
    dialog.Filter = pageFilter;
    dialog.flags = 6660;
    EXPECT_TRUE(dialog.ShowOpen());
    // "*.*" lists every file, also names without a dot.
    EXPECT_EQ(nameFilters, (QStringList{"HTML Files (*.html *.htm)", "All Files (*)"}));
    EXPECT_EQ(selectedFilter, nameFilters.value(0));
    EXPECT_EQ(mode, QFileDialog::ExistingFiles);
    EXPECT_EQ(title, QStringLiteral("Open File(s)"));
    EXPECT_EQ(QFileInfo(dialog.Filename), QFileInfo(page));
    EXPECT_EQ(dialog.FilterIndex, 1);
}

TEST_F(CommonDialogShowTest, ClosingTheRealDialogIsACancel)
{
    whenDialogShows([](QFileDialog* shown) { shown->reject(); });
    cCommonDialog dialog;
    dialog.Filter = pageFilter;
    dialog.FilterIndex = 2;
    EXPECT_FALSE(dialog.ShowOpen());
    EXPECT_TRUE(dialog.Filename.isEmpty());
    EXPECT_TRUE(dialog.Filter.isEmpty());
}

TEST_F(CommonDialogShowTest, TheSaveDialogAsksBeforeReplacingUnlessTheCallerDoes)
{
    for (const bool callerAsks : {false, true}) {
        SCOPED_TRACE(callerAsks ? "caller asks" : "dialog asks");
        bool dialogAsks = !callerAsks;
        whenDialogShows([&](QFileDialog* shown) {
            dialogAsks = !shown->testOption(QFileDialog::DontConfirmOverwrite);
            shown->reject();
        });
        cCommonDialog dialog;
        dialog.flags = callerAsks ? cCommonDialog::CallerConfirmsReplace : 0;
        EXPECT_FALSE(dialog.ShowSave());
        EXPECT_EQ(dialogAsks, !callerAsks);
    }
}

}
