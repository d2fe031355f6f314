// The code tool tabs of the side panel and the Library menu, on a page in
// the Code view.
#include "MainWindowFixture.h"
#include "app/widgets/SidePanel.h"
#include "app/widgets/SideTabList.h"
#include "codetools/LibraryFiles.h"

#include <QAction>

using namespace inktest;

class CodeTools : public MainWindowTest {
protected:
    ink::DocumentWindow* codePage(const QString& text)
    {
        ink::DocumentWindow* w = newPage();
        w->switchToCode();
        w->code()->setText(text);
        return w;
    }

    void tab(const QString& caption)
    {
        emit main->sidePanel()->codeToolTabClicked(caption);
        pump(30);
    }

    // The dialogs the Library commands showed.
    QList<ink::cCommonDialog> dialogs;
    void answerFileDialogs(const QString& path)
    {
        ink::cCommonDialog::setTestResponder([this, path](const ink::cCommonDialog& d) {
            dialogs << d;
            return path.isEmpty() ? QStringList{} : QStringList{path};
        });
    }
};

// --- Clip tabs ---

struct PasteCase {
    const char* name;
    int copies;            // copies of "clip" into the ring before pasting
    const char* pasteTab;
    const char* expected;  // the page after the paste
};

class PasteClip : public CodeTools, public ::testing::WithParamInterface<PasteCase> {};

TEST_P(PasteClip, ReplacesTheSelectionOnlyWithAFilledSlot)
{
    const PasteCase& c = GetParam();
    ink::DocumentWindow* w = codePage("clip and SEL here");
    for (int i = 0; i < c.copies; ++i) {
        w->code()->setSelection(0, 4);
        tab("Copy Clip");
    }
    w->code()->setSelection(9, 12);
    tab(QString::fromLatin1(c.pasteTab));
    // "|" marks a caret, "[" and "]" a selection.
    QString page = w->code()->text();
    const int from = std::min(w->code()->selectionAnchor(), w->code()->caretPosition());
    const int to = std::max(w->code()->selectionAnchor(), w->code()->caretPosition());
    if (from == to) {
        page.insert(from, QLatin1Char('|'));
    } else {
        page.insert(to, QLatin1Char(']'));
        page.insert(from, QLatin1Char('['));
    }
    EXPECT_EQ(page, QString::fromLatin1(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Clips, PasteClip,
    ::testing::Values(PasteCase{"FilledSlot", 1, "Paste Clip 1", "clip and clip| here"},
                      PasteCase{"NeverFilledSlot", 1, "Paste Clip 4", "clip and [SEL] here"},
                      PasteCase{"EmptyRing", 0, "Paste Clip 1", "clip and [SEL] here"}),
    [](const ::testing::TestParamInfo<PasteCase>& info) { return std::string(info.param.name); });

TEST_F(CodeTools, AClipTravelsToAnotherPage)
{
    ink::DocumentWindow* first = codePage("from here");
    first->code()->setSelection(5, 9);
    tab("Copy Clip");
    EXPECT_EQ(main->sidePanel()->codeToolTabs()->tab("Paste Clip 1")->toolTip(), "here");
    ink::DocumentWindow* second = codePage("to ");
    second->code()->setSelection(3, 3);
    tab("Paste Clip 1");
    EXPECT_EQ(second->code()->text(), "to here");
}

TEST_F(CodeTools, BookmarkTabsSwitchTheMargin)
{
    ink::DocumentWindow* w = codePage("one\r\ntwo\r\nthree");
    const struct {
        const char* tab;
        bool margin;
    } steps[] = {{"Bookmark", true}, {"Clear Bookmarks", false}, {"Next Bookmark", true},
                 {"Clear Bookmarks", false}, {"Repeater", false}, {"No Such Tab", false}};
    for (const auto& step : steps) {
        tab(QString::fromLatin1(step.tab));
        EXPECT_EQ(w->code()->bookmarkMarginVisible(), step.margin) << step.tab;
    }
    EXPECT_EQ(w->code()->text(), "one\r\ntwo\r\nthree");
}

// --- Library ---

TEST_F(CodeTools, ExportWritesTheSelectionAndImportBringsItBack)
{
    ink::DocumentWindow* w = codePage("<p>snippet</p> rest");
    const QString file = pagesDir.filePath("snippet.html");
    answerFileDialogs(file);
    w->code()->setSelection(0, 14);
    main->runCommand("exportfile");
    EXPECT_EQ(readBytes(file), "<p>snippet</p>\r\n");
    EXPECT_EQ(w->code()->text(), "<p>snippet</p> rest");

    w->code()->setSelection(15, 19);
    main->runCommand("importfile");
    EXPECT_EQ(w->code()->text(), "<p>snippet</p> <p>snippet</p>\r\n");

    ASSERT_EQ(dialogs.size(), 2);
    for (const ink::cCommonDialog& d : dialogs) {
        EXPECT_EQ(d.InitDir, ink::libraryFolder());
        EXPECT_EQ(d.Filter, "All Files|*.*");
        EXPECT_FALSE(d.Filename.contains('*'));
    }
    EXPECT_EQ(dialogs[0].DialogTitle, "Save As");
    EXPECT_EQ(dialogs[1].DialogTitle, "Open");
    EXPECT_EQ(ink::libraryFolder(), programDir.filePath("Library"));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(CodeTools, ExportingAnEmptySelectionWritesALineBreak)
{
    codePage("text");
    const QString file = pagesDir.filePath("empty.txt");
    answerFileDialogs(file);
    main->runCommand("exportfile");
    EXPECT_EQ(readBytes(file), "\r\n");
}

struct ExportOverCase {
    const char* name;
    bool answerYes;
    const char* expected;
};

class ExportOver : public CodeTools, public ::testing::WithParamInterface<ExportOverCase> {};

TEST_P(ExportOver, AsksBeforeReplacing)
{
    const QString file = writePage("old.html", "old");
    ink::DocumentWindow* w = codePage("new");
    w->code()->setSelection(0, 3);
    answerFileDialogs(file);
    prompts.answerYes = GetParam().answerYes;
    main->runCommand("exportfile");
    EXPECT_EQ(prompts.questions.size(), 1);
    EXPECT_EQ(readBytes(file), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Answers, ExportOver,
                         ::testing::Values(ExportOverCase{"Yes", true, "new\r\n"},
                                           ExportOverCase{"No", false, "old"}),
                         [](const ::testing::TestParamInfo<ExportOverCase>& info) {
                             return std::string(info.param.name);
                         });

struct LibraryFailureCase {
    const char* name;
    const char* command;
    const char* chosen;  // below the pages folder
};

class LibraryFailures : public CodeTools, public ::testing::WithParamInterface<LibraryFailureCase> {};

TEST_P(LibraryFailures, AreToldAndLeaveThePageAlone)
{
    const LibraryFailureCase& c = GetParam();
    writePage("binary.bin", QByteArray("\0\0\0\1\2", 5));
    ink::DocumentWindow* w = codePage("page text");
    w->code()->setSelection(0, 4);
    answerFileDialogs(pagesDir.filePath(QString::fromLatin1(c.chosen)));
    main->runCommand(QString::fromLatin1(c.command));
    EXPECT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(w->code()->text(), "page text");
    EXPECT_FALSE(QFileInfo::exists(pagesDir.filePath("*.*")));
}

INSTANTIATE_TEST_SUITE_P(
    Failures, LibraryFailures,
    ::testing::Values(LibraryFailureCase{"ImportMissingFile", "importfile", "missing.html"},
                      LibraryFailureCase{"ImportBinaryFile", "importfile", "binary.bin"},
                      LibraryFailureCase{"ExportToPattern", "exportfile", "*.*"},
                      LibraryFailureCase{"ExportIntoMissingFolder", "exportfile", "nowhere/a.html"}),
    [](const ::testing::TestParamInfo<LibraryFailureCase>& info) { return std::string(info.param.name); });

TEST_F(CodeTools, CancelledLibraryDialogsChangeNothing)
{
    ink::DocumentWindow* w = codePage("page");
    w->code()->setSelection(0, 2);
    answerFileDialogs(QString());
    main->runCommand("importfile");
    main->runCommand("exportfile");
    EXPECT_EQ(w->code()->text(), "page");
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(dialogs.size(), 2);
}
