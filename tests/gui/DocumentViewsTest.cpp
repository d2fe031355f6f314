// The document window's three views and how the page travels between them.
#include "MainWindowFixture.h"
#include "document/DocumentRoutines.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSignalSpy>

using namespace inktest;
using ink::newPageTemplate;

class DocumentViews : public MainWindowTest {};

TEST_F(DocumentViews, NewPageOpensInDesignWithTheTemplate)
{
    ink::DocumentWindow* w = newPage();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->code()->text(), newPageTemplate());
    EXPECT_EQ(w->design()->documentHtml(), newPageTemplate());
    EXPECT_TRUE(slotOf(w).designViewShown);
    EXPECT_FALSE(slotOf(w).modified);
    EXPECT_EQ(w->caption(), "Untitled");
    EXPECT_EQ(w->titleBox()->text(), "Untitled Web Document");
    EXPECT_EQ(slotOf(w).folder, programDir.path());
    EXPECT_EQ(main->statusFolder(), programDir.path());
    EXPECT_TRUE(w->design()->widget()->isVisible());
    EXPECT_FALSE(w->code()->widget()->isVisible());
}

TEST_F(DocumentViews, UntouchedTemplateSurvivesDesignCodeDesign)
{
    ink::DocumentWindow* w = newPage();
    pump(300);
    QSignalSpy loads(w->design(), &ink::DesignSurface::loadFinished);
    w->switchToCode();
    EXPECT_EQ(w->code()->text(), newPageTemplate());
    EXPECT_FALSE(slotOf(w).modified);
    EXPECT_TRUE(w->code()->widget()->isVisible());
    EXPECT_FALSE(slotOf(w).designViewShown);
    EXPECT_TRUE(slotOf(w).codeViewShown);
    w->switchToDesign();
    waitIdle(w);
    EXPECT_EQ(loads.count(), 0) << "unchanged text must not reload the design surface";
    EXPECT_EQ(w->code()->text(), newPageTemplate());
    EXPECT_FALSE(slotOf(w).modified);
}

TEST_F(DocumentViews, CodeEditShowsInDesign)
{
    ink::DocumentWindow* w = codePageWithBody("<div>Hello from code</div>");
    const QString text = w->code()->text();
    EXPECT_TRUE(slotOf(w).modified);
    w->switchToDesign();
    waitIdle(w);
    EXPECT_TRUE(w->design()->bodyInnerHtml().contains("Hello from code"));
    EXPECT_EQ(w->design()->documentHtml(), text);
}

TEST_F(DocumentViews, DesignEditShowsInCode)
{
    ink::DocumentWindow* w = newPage();
    w->design()->setFocus();
    w->design()->execCommand(ink::DesignCmd::SelectAll);
    w->design()->pasteHtml("<B>bold words</B>");
    pump(50);
    w->switchToCode();
    const QString code = w->code()->text();
    EXPECT_TRUE(code.contains("<B>bold words</B>")) << code.toStdString();
    EXPECT_TRUE(code.contains("<TITLE>Untitled Web Document</TITLE>"));
    EXPECT_TRUE(slotOf(w).modified);
}

TEST_F(DocumentViews, FramesetPageStaysInCodeWithTheMessage)
{
    ink::DocumentWindow* w = newPage();
    w->switchToCode();
    w->code()->setText("<html><frameset cols=\"50%,50%\"></frameset></html>");
    w->switchToDesign();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0], "Design mode for frames not supported.");
    EXPECT_FALSE(slotOf(w).designViewShown);
    EXPECT_TRUE(w->code()->widget()->isVisible());
    EXPECT_FALSE(w->viewAction("Edit")->isVisible());
}

TEST_F(DocumentViews, PageScriptsDoNotRunInDesign)
{
    ink::DocumentWindow* w = newPage();
    w->switchToCode();
    QString text = newPageTemplate();
    text.replace("<div></div>",
                 "<div id=target>still</div><script>document.title='ran';"
                 "document.getElementById('target').textContent='changed';</script>");
    w->code()->setText(text);
    w->switchToDesign();
    waitIdle(w);
    EXPECT_EQ(w->design()->title(), "Untitled Web Document");
    EXPECT_TRUE(w->design()->bodyInnerHtml().contains(">still<"));
    EXPECT_FALSE(w->design()->bodyInnerHtml().contains(">changed<"));
}

TEST_F(DocumentViews, PreviewFromCodeShowsTheWorkingFile)
{
    ink::DocumentWindow* w = newPage();
    w->switchToCode();
    w->switchToPreview();
    EXPECT_TRUE(w->preview()->widget()->isVisible());
    EXPECT_FALSE(slotOf(w).designViewShown);
    EXPECT_TRUE(waitUntil([w] { return w->preview()->locationPath() == w->workingFilePath(); }));
    // The working file is the program's own, never a user's temp.html.
    EXPECT_FALSE(QFileInfo::exists(programDir.filePath("temp.html")));
}

TEST_F(DocumentViews, TitleBoxWritesTheTitleInCodeView)
{
    ink::DocumentWindow* w = newPage();
    w->switchToCode();
    w->titleBox()->setText("Fresh title");
    w->titleBox()->setModified(true);
    w->applyTitle();
    EXPECT_TRUE(w->code()->text().contains("<TITLE>Fresh title</TITLE>"));
    waitIdle(w);
    EXPECT_EQ(w->design()->title(), "Fresh title");
}

TEST_F(DocumentViews, TwoPagesTakeTheirOwnSlotsAndActivationFollows)
{
    ink::DocumentWindow* a = newPage();
    ink::DocumentWindow* b = newPage();
    ASSERT_NE(a, b);
    EXPECT_EQ(b->slot(), a->slot() + 1);
    EXPECT_EQ(main->documents().activeDocument(), b->slot());
    main->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(a->parentWidget()));
    pump(50);
    EXPECT_EQ(main->documents().activeDocument(), a->slot());
}

TEST_F(DocumentViews, ViewRefreshPutsTheCodeTextIntoTheDesignSurface)
{
    ink::DocumentWindow* w = codePageWithBody("<div>refreshed</div>");
    const QString text = w->code()->text();
    main->action("refresh")->trigger();
    waitIdle(w);
    EXPECT_TRUE(w->design()->bodyInnerHtml().contains("refreshed"));
    EXPECT_EQ(w->design()->documentHtml(), text);
}

namespace {
// Counts the focus a widget is given.
class FocusCount : public QObject {
public:
    explicit FocusCount(QWidget* watched) { watched->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn)
            ++count;
        return false;
    }
};
}

// The focus goes from the view left to the view shown, never by way of the
// title box, whose focus handler would read the page again mid-switch.
TEST_F(DocumentViews, SwitchHandsTheFocusToTheViewShownPastTheTitleBox)
{
    const auto holds = [](QWidget* view) {
        QWidget* focus = QApplication::focusWidget();
        return focus && (focus == view || view->isAncestorOf(focus));
    };
    ink::DocumentWindow* w = newPage();
    focusPage();
    ASSERT_TRUE(waitUntil([&] { return holds(w->design()->widget()); }));
    w->design()->pasteHtml("typed");
    pump(50);
    FocusCount titleFocus(w->titleBox());
    w->switchToCode();
    pump(50);
    EXPECT_TRUE(holds(w->code()->widget()));
    EXPECT_TRUE(w->code()->text().contains("typed"));
    w->switchToPreview();
    pump(50);
    EXPECT_TRUE(holds(w->preview()->widget()));
    w->switchToDesign();
    waitIdle(w);
    EXPECT_TRUE(holds(w->design()->widget()));
    EXPECT_EQ(titleFocus.count, 0);
    EXPECT_FALSE(w->titleBox()->hasFocus());
}
