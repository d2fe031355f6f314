// File > New Project: the template list, its preview, and projects created
// from the bundled templates in a temporary folder.
#include "MainWindowFixture.h"
#include "projects/widgets/FileView.h"
#include "projects/widgets/Shell.h"
#include "projects/widgets/Wizard.h"

#include <QAbstractButton>
#include <array>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QTest>
#include <QPointer>
#include <sys/stat.h>

using namespace inktest;

class ProjectWizard : public MainWindowTest {
protected:
    QStringList folderPrompts;
    QString parentAnswer;                            // "" = the folder question is cancelled
    std::optional<QString> nameAnswer = QString("Site");  // nullopt = Cancel
    QStringList defaultNames;

    void SetUp() override
    {
        MainWindowTest::SetUp();
        parentAnswer = pagesDir.path();
        ink::setBrowseForFolderResponder([this](const QString&, const QString& prompt) {
            folderPrompts << prompt;
            return parentAnswer;
        });
        ink::Wizard::setNameResponder([this](const QString& defaultName) {
            defaultNames << defaultName;
            return nameAnswer;
        });
    }

    void TearDown() override
    {
        ink::Wizard::setNameResponder(nullptr);
        ink::setBrowseForFolderResponder(nullptr);
        MainWindowTest::TearDown();
    }

    ink::Wizard* openWizard()
    {
        main->runCommand("newproject");
        ink::Wizard* wizard = main->projectWizard();
        if (wizard)
            waitUntil([wizard] { return wizard->isVisible(); });
        return wizard;
    }

    static QListWidget* listOf(ink::Wizard* wizard) { return wizard->templates()->list(); }

    static bool select(ink::Wizard* wizard, const QString& text)
    {
        const auto found = listOf(wizard)->findItems(text, Qt::MatchExactly);
        if (found.isEmpty())
            return false;
        listOf(wizard)->setCurrentItem(found.first());
        return true;
    }

    static void clickList(ink::Wizard* wizard, const QPoint& at)
    {
        QWidget* viewport = listOf(wizard)->viewport();
        for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent e(type, at, viewport->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(viewport, &e);
        }
    }

    static QAbstractButton* button(ink::Wizard* wizard, const char* name)
    {
        return wizard->findChild<QAbstractButton*>(QString::fromLatin1(name));
    }

    QStringList projectsMade() const
    {
        return QDir(pagesDir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
};

class EachBundledTemplate : public ProjectWizard, public ::testing::WithParamInterface<const char*> {};

TEST_P(EachBundledTemplate, BecomesAProjectWhoseStartPageOpens)
{
    const QString name = QString::fromLatin1(GetParam());
    QPointer<ink::Wizard> wizard = openWizard();
    ASSERT_TRUE(wizard);
    ASSERT_TRUE(select(wizard, name));
    button(wizard, "Command1")->click();

    const QString folder = pagesDir.filePath("Site");
    ASSERT_TRUE(waitUntil([&] { return !wizard; }));
    EXPECT_EQ(defaultNames, QStringList{name});
    EXPECT_EQ(folderPrompts, QStringList{"Select a folder for the project"});
    EXPECT_EQ(projectsMade(), QStringList{"Site"});
    ink::DocumentWindow* page = active();
    ASSERT_NE(page, nullptr);
    waitIdle(page);
    EXPECT_EQ(page->caption(), "index.html");
    EXPECT_EQ(slotOf(page).folder, folder);
    EXPECT_EQ(main->statusFolder(), folder);
    EXPECT_FALSE(slotOf(page).modified);
    EXPECT_TRUE(page->code()->text().contains("<title>") || page->code()->text().contains("<TITLE>"));
    EXPECT_TRUE(QFileInfo(folder + "/index.html").isFile());
    EXPECT_EQ(ink::Wizard::startFolder(), folder);
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join('|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Templates, EachBundledTemplate,
                         ::testing::Values("Blank", "Business", "Portfolio", "Event"));

struct RefusedCase {
    const char* name;
    std::optional<QString> projectName;
    bool occupyFolder;      // a folder "Site" with a hidden file already there
    const char* message;    // "" = no message
};

class RefusedProjects : public ProjectWizard, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedProjects, KeepTheWizardOpenAndCopyNothing)
{
    const RefusedCase& c = GetParam();
    nameAnswer = c.projectName;
    if (c.occupyFolder) {
        QDir(pagesDir.path()).mkpath("Site");
        writePage("Site/.keep", "mine");
    }
    const QStringList before = projectsMade();
    ink::Wizard* wizard = openWizard();
    ASSERT_TRUE(select(wizard, "Business"));
    wizard->createProject();
    pump(50);
    EXPECT_EQ(main->projectWizard(), wizard);
    EXPECT_EQ(projectsMade(), before);
    EXPECT_EQ(prompts.messages, c.message[0] ? QStringList{QString::fromUtf8(c.message)} : QStringList{});
    EXPECT_EQ(active(), nullptr);
    if (c.occupyFolder)
        EXPECT_EQ(readBytes(pagesDir.filePath("Site/.keep")), "mine");
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, RefusedProjects,
    ::testing::Values(
        RefusedCase{"ExistingFolder", QString("Site"), true, "Project already exists"}),
    [](const ::testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

TEST_F(ProjectWizard, AnEmptyOrCancelledNameTakesTheTemplatesName)
{
    // nullptr: the name box is cancelled.
    const struct { const char* typed; const char* templateName; } rows[] = {
        {"", "Business"}, {"   ", "Event"}, {nullptr, "Portfolio"}};
    QStringList made;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.templateName);
        nameAnswer = row.typed ? std::optional<QString>(QString::fromLatin1(row.typed)) : std::nullopt;
        QPointer<ink::Wizard> wizard = openWizard();
        ASSERT_TRUE(wizard);
        ASSERT_TRUE(select(wizard, row.templateName));
        wizard->createProject();
        ASSERT_TRUE(waitUntil([&] { return !wizard; }));
        made << row.templateName;
        made.sort();
        EXPECT_EQ(projectsMade(), made);
        EXPECT_TRUE(QFileInfo(pagesDir.filePath(QString(row.templateName) + "/index.html")).isFile());
        EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join('|').toStdString();
    }
}

// A long session: pages open, the active one maximised, projects made one
// after another. Each new page's title box shows that page's title, and the
// keyboard focus is in the page, not in the title box.
TEST_F(ProjectWizard, EachNewProjectsTitleBoxShowsItsTitleAndThePageHasTheFocus)
{
    main->show();
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(newPage());
    qobject_cast<QMdiSubWindow*>(active()->parentWidget())->showMaximized();
    pump(50);
    const struct { const char* templateName; const char* title; } rows[] = {
        {"Business", "Harbour Street Bakery"},
        {"Portfolio", "Alex Morgan - Portfolio"},
        {"Event", "Summer Garden Party"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.templateName);
        nameAnswer = QString::fromLatin1(row.templateName) + "Site";
        QPointer<ink::Wizard> wizard = openWizard();
        ASSERT_TRUE(wizard);
        ASSERT_TRUE(select(wizard, row.templateName));
        button(wizard, "Command1")->click();
        ASSERT_TRUE(waitUntil([&] { return !wizard; }));
        ink::DocumentWindow* page = active();
        ASSERT_NE(page, nullptr);
        waitIdle(page);
        pump(300);
        EXPECT_EQ(page->titleBox()->text(), QString::fromLatin1(row.title));
        EXPECT_FALSE(page->titleBox()->hasFocus());
        QWidget* focus = QApplication::focusWidget();
        EXPECT_TRUE(focus && page->isAncestorOf(focus) && focus != page->titleBox())
            << (focus ? focus->metaObject()->className() : "no focus");
    }
}

// The state behind a title box left showing the new page template's title:
// the box of a window made for an opened page takes the focus while that
// page still loads. When the load ends the box shows the page's own title.
TEST_F(ProjectWizard, ATitleBoxFocusedWhileItsPageLoadsShowsThatPagesTitle)
{
    main->show();
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    const QString path = writePage("party.html", "<HTML><HEAD><TITLE>Garden Party</TITLE></HEAD>"
                                                 "<BODY><P>x</P></BODY></HTML>");
    nextFileAnswer = {path};
    main->runCommand(QStringLiteral("open"));
    ink::DocumentWindow* page = active();
    ASSERT_NE(page, nullptr);
    page->titleBox()->setFocus();
    ASSERT_TRUE(page->titleBox()->hasFocus());
    waitIdle(page);
    pump(200);
    EXPECT_EQ(page->titleBox()->text(), QStringLiteral("Garden Party"));
    EXPECT_FALSE(page->titleBox()->isModified());
}

TEST_F(ProjectWizard, ACopyThatFailsIsReportedAndOpensNothing)
{
    const QString pipe = programDir.filePath("templates/Event/pipe");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    ink::Wizard* wizard = openWizard();
    ASSERT_TRUE(select(wizard, "Event"));
    wizard->createProject();
    pump(50);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].startsWith("Could not copy " + pipe)) << prompts.messages[0].toStdString();
    EXPECT_TRUE(projectsMade().isEmpty());
    EXPECT_EQ(active(), nullptr);
    EXPECT_EQ(main->projectWizard(), wizard);
}

TEST_F(ProjectWizard, NothingSelectedAsksNothing)
{
    ink::Wizard* wizard = openWizard();
    ASSERT_TRUE(select(wizard, "Business"));
    // A click below the last entry clears the selection.
    clickList(wizard, QPoint(5, listOf(wizard)->viewport()->height() - 3));
    EXPECT_TRUE(wizard->templates()->item().isEmpty());
    wizard->createProject();
    EXPECT_TRUE(folderPrompts.isEmpty());
    EXPECT_EQ(main->projectWizard(), wizard);
}

TEST_F(ProjectWizard, AFileWithoutBaseNameIsNoTemplate)
{
    QFile readme(programDir.filePath("templates/README"));
    ASSERT_TRUE(readme.open(QIODevice::WriteOnly));
    readme.close();
    ink::Wizard* wizard = openWizard();
    ASSERT_TRUE(select(wizard, ""));
    EXPECT_TRUE(wizard->templates()->item().isEmpty());
    wizard->createProject();
    EXPECT_TRUE(folderPrompts.isEmpty());
    EXPECT_TRUE(projectsMade().isEmpty());
}

TEST_F(ProjectWizard, FolderQuestionCancelledKeepsTheWizard)
{
    parentAnswer.clear();
    ink::Wizard* wizard = openWizard();
    ASSERT_TRUE(select(wizard, "Event"));
    wizard->createProject();
    EXPECT_EQ(folderPrompts.size(), 1);
    EXPECT_TRUE(defaultNames.isEmpty());
    EXPECT_EQ(main->projectWizard(), wizard);
}

TEST_F(ProjectWizard, ClickingATemplatePreviewsItsStartPage)
{
    ink::Wizard* wizard = openWizard();
    const QString templates = programDir.filePath("templates");
    EXPECT_EQ(wizard->templates()->folder(), templates);
    ASSERT_TRUE(select(wizard, "Portfolio"));
    const QRect row = listOf(wizard)->visualItemRect(listOf(wizard)->currentItem());
    clickList(wizard, row.center());
    EXPECT_EQ(wizard->preview()->locationPath(), templates + "/Portfolio/index.html");
    EXPECT_EQ(wizard->templates()->nameofitem(), "Portfolio");
}

TEST_F(ProjectWizard, ListsTheTemplatesAndNamesItsControls)
{
    ink::Wizard* wizard = openWizard();
    QStringList texts;
    for (int i = 0; i < listOf(wizard)->count(); ++i)
        texts << listOf(wizard)->item(i)->text();
    EXPECT_EQ(texts, (QStringList{"Blank", "Business", "Event", "Portfolio"}));
    EXPECT_EQ(wizard->windowTitle(), "New Project");
    EXPECT_EQ(wizard->templates()->accessibleName(), "Templates");
    EXPECT_EQ(wizard->preview()->widget()->accessibleName(), "Template preview");
    for (const char* name : {"Command1", "Command2", "Command3"}) {
        QAbstractButton* b = button(wizard, name);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->accessibleName(), b->text());
    }
    button(wizard, "Command3")->click();
    EXPECT_EQ(prompts.messages.size(), 1);
    QPointer<ink::Wizard> closing = wizard;
    button(wizard, "Command2")->click();
    EXPECT_TRUE(waitUntil([&] { return !closing; }));
    EXPECT_TRUE(main->isEnabled());
}

TEST_F(ProjectWizard, EachTemplateIsShownByItsOwnPicture)
{
    ink::Wizard* wizard = openWizard();
    const QSize size = listOf(wizard)->iconSize();
    QList<QImage> shown;
    for (const char* name : {"Blank", "Business", "Event", "Portfolio"}) {
        SCOPED_TRACE(name);
        const auto found = listOf(wizard)->findItems(QString::fromLatin1(name), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        const QImage icon = found.first()->icon().pixmap(size).toImage();
        ASSERT_FALSE(icon.isNull());
        const QImage picture(programDir.filePath(QStringLiteral("templates/%1.png").arg(QString::fromLatin1(name))));
        ASSERT_FALSE(picture.isNull());
        // The shown icon is the picture made smaller: their average colours agree.
        const auto average = [](const QImage& image) {
            qint64 sum[3] = {0, 0, 0};
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    const QColor c = image.pixelColor(x, y);
                    sum[0] += c.red();
                    sum[1] += c.green();
                    sum[2] += c.blue();
                }
            }
            const qint64 n = qint64(image.width()) * image.height();
            return std::array<int, 3>{int(sum[0] / n), int(sum[1] / n), int(sum[2] / n)};
        };
        const std::array<int, 3> want = average(picture);
        const std::array<int, 3> got = average(icon);
        EXPECT_LE(std::abs(want[0] - got[0]) + std::abs(want[1] - got[1]) + std::abs(want[2] - got[2]), 24);
        for (const QImage& other : shown)
            EXPECT_NE(icon, other);
        shown << icon;
    }
}
