#include "projects/CommonDialog.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace ink;

namespace {

const QChar nul(0);

struct Parsed {
    QString folder;
    QStringList names;
    int count = 0;
};

Parsed parse(const cCommonDialog& dialog)
{
    Parsed parsed;
    dialog.ParseMultiFileName(parsed.folder, parsed.names, parsed.count);
    return parsed;
}

TEST(CommonDialogFilter, ThePageFilterGivesTwoPairs)
{
    const QList<FileFilter> filters = parseFileFilter(QStringLiteral("HTML Files|*.html;*.htm|All Files|*.*"));
    ASSERT_EQ(filters.size(), 2);
    EXPECT_EQ(filters[0].description, QStringLiteral("HTML Files"));
    EXPECT_EQ(filters[0].patterns, (QStringList{QStringLiteral("*.html"), QStringLiteral("*.htm")}));
    EXPECT_EQ(filters[1].description, QStringLiteral("All Files"));
    EXPECT_EQ(filters[1].patterns, QStringList{QStringLiteral("*.*")});
}

TEST(CommonDialogFilter, AColonInADescriptionShiftsThePairs)
{
    const QList<FileFilter> filters = parseFileFilter(QStringLiteral("Pages: HTML|*.html|All|*.*"));
    ASSERT_EQ(filters.size(), 2);
    EXPECT_EQ(filters[0].description, QStringLiteral("Pages"));
    EXPECT_EQ(filters[0].patterns, QStringList{QStringLiteral(" HTML")});
    EXPECT_EQ(filters[1].description, QStringLiteral("*.html"));
    EXPECT_EQ(filters[1].patterns, QStringList{QStringLiteral("All")});
}

TEST(CommonDialogFilter, AnEmptyPieceEndsTheListAndALoneDescriptionIsDropped)
{
    EXPECT_EQ(parseFileFilter(QStringLiteral("A|*.a||B|*.b")).size(), 1);
    EXPECT_EQ(parseFileFilter(QStringLiteral("A|*.a|B")).size(), 1);
    EXPECT_TRUE(parseFileFilter(QString()).isEmpty());
}

TEST(CommonDialogProperties, StartWithTheFirstFilterPair)
{
    const cCommonDialog dialog;
    EXPECT_EQ(dialog.FilterIndex, 1);
    EXPECT_EQ(dialog.flags, 0u);
    EXPECT_TRUE(dialog.Filename.isEmpty());
}

TEST(CommonDialogResult, CancelClearsTheResultAndParsesAsOneEmptyName)
{
    cCommonDialog dialog;
    dialog.Filter = QStringLiteral("HTML Files|*.html");
    dialog.flags = 6660;
    dialog.Filename = QStringLiteral("/old/name.html");
    dialog.applyCancel();
    EXPECT_TRUE(dialog.Filename.isEmpty());
    EXPECT_TRUE(dialog.FileTitle.isEmpty());
    EXPECT_TRUE(dialog.Filter.isEmpty());
    EXPECT_EQ(dialog.flags, 0u);
    EXPECT_EQ(dialog.FilterIndex, -1);

    const Parsed parsed = parse(dialog);
    EXPECT_EQ(parsed.count, 1);
    EXPECT_EQ(parsed.names, QStringList{QString()});
    EXPECT_TRUE(parsed.folder.isEmpty());
}

TEST(CommonDialogResult, OneFileGivesItsPathAndTitle)
{
    cCommonDialog dialog;
    dialog.flags = cCommonDialog::AllowMultiSelect;
    dialog.acceptSelection({QStringLiteral("/site/index.html")});
    EXPECT_EQ(dialog.Filename, QStringLiteral("/site/index.html"));
    EXPECT_EQ(dialog.FileTitle, QStringLiteral("index.html"));

    const Parsed parsed = parse(dialog);
    EXPECT_EQ(parsed.count, 1);
    EXPECT_EQ(parsed.folder, QStringLiteral("/site"));
    EXPECT_EQ(parsed.names, QStringList{QStringLiteral("index.html")});
}

TEST(CommonDialogResult, ThreeFilesGiveTheFolderAndNamesInDialogOrder)
{
    cCommonDialog dialog;
    dialog.flags = cCommonDialog::AllowMultiSelect;
    dialog.acceptSelection({QStringLiteral("/site/c.html"), QStringLiteral("/site/a.html"),
                            QStringLiteral("/site/b.htm")});
    EXPECT_EQ(dialog.Filename, QStringLiteral("/site") + nul + "c.html" + nul + "a.html" + nul + "b.htm" + nul + nul);

    const Parsed parsed = parse(dialog);
    EXPECT_EQ(parsed.count, 3);
    EXPECT_EQ(parsed.folder, QStringLiteral("/site"));
    EXPECT_EQ(parsed.names, (QStringList{QStringLiteral("c.html"), QStringLiteral("a.html"), QStringLiteral("b.htm")}));
}

TEST(CommonDialogResult, FilesFromSeveralFoldersStillJoinToTheirPaths)
{
    cCommonDialog dialog;
    dialog.flags = cCommonDialog::AllowMultiSelect;
    dialog.acceptSelection({QStringLiteral("/site/a.html"), QStringLiteral("/site/sub/b.html"),
                            QStringLiteral("/other/c.html")});
    const Parsed parsed = parse(dialog);
    ASSERT_EQ(parsed.count, 3);
    QStringList joined;
    for (const QString& name : parsed.names)
        joined.append(QDir::cleanPath(parsed.folder + '/' + name));
    EXPECT_EQ(joined, (QStringList{QStringLiteral("/site/a.html"), QStringLiteral("/site/sub/b.html"),
                                   QStringLiteral("/other/c.html")}));
}

TEST(CommonDialogResult, WithoutMultipleSelectionOnlyTheFirstFileCounts)
{
    cCommonDialog dialog;
    dialog.acceptSelection({QStringLiteral("/a/x.html"), QStringLiteral("/a/y.html")});
    EXPECT_EQ(dialog.Filename, QStringLiteral("/a/x.html"));
}

TEST(CommonDialogParse, PathWhoseOnlySeparatorLeadsIsOneName)
{
    cCommonDialog dialog;
    dialog.Filename = QStringLiteral("/index.html");
    const Parsed parsed = parse(dialog);
    EXPECT_EQ(parsed.count, 1);
    EXPECT_TRUE(parsed.folder.isEmpty());
    EXPECT_EQ(parsed.names, QStringList{QStringLiteral("/index.html")});
}

TEST(CommonDialogParse, AListHoldingOnlyAPathIsThatOnePath)
{
    cCommonDialog dialog;
    dialog.Filename = QStringLiteral("/site/page.html") + nul + nul;
    const Parsed parsed = parse(dialog);
    EXPECT_EQ(parsed.count, 1);
    EXPECT_EQ(parsed.folder, QStringLiteral("/site"));
    EXPECT_EQ(parsed.names, QStringList{QStringLiteral("page.html")});
}

}
