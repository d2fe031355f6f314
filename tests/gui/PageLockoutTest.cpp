// Pages that could keep the user from the program: a script raising alert
// boxes without end in the browser view, and a page nested too deep for the
// Design view to finish loading.
#include "MainWindowFixture.h"
#include "platform/widgets/ScriptDialogPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>
#include <QTimer>

using namespace inktest;

namespace {

class PageLockout : public MainWindowTest {
protected:
    ink::DocumentWindow* openPage(const QString& path, bool waitForDesign = true)
    {
        nextFileAnswer = {path};
        main->runCommand(QStringLiteral("open"));
        ink::DocumentWindow* w = active();
        if (w && waitForDesign)
            waitIdle(w);
        return w;
    }
};

// The user answers the first boxes with OK and, once it is offered, ticks
// the box that stops the page's boxes: the page then raises no more, and
// the views and menus answer again.
TEST_F(PageLockout, AnAlertLoopInTheBrowserViewIsStoppedByTheUser)
{
    const QString path = writePage(
        QStringLiteral("loop.html"),
        "<html><body><p>loop</p><script>for (var i = 0; ; ++i) alert('step ' + i);"
        "</script></body></html>");
    ink::DocumentWindow* w = openPage(path);
    ASSERT_NE(w, nullptr);

    int boxes = 0;
    int firstOffered = 0;
    QStringList messages;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        ++boxes;
        if (auto* label = box->findChild<QLabel*>())
            messages << label->text();
        if (auto* stop = box->findChild<QCheckBox*>()) {
            EXPECT_EQ(stop->text(), ink::ScriptDialogPage::stopCaption());
            if (!firstOffered)
                firstOffered = boxes;
            stop->setChecked(true);
        }
        box->accept();
    });
    user.start(30);
    w->switchToPreview();
    ASSERT_TRUE(waitUntil([&] { return firstOffered > 0 || boxes > 10; }, 30000));
    pump(1500);
    user.stop();

    EXPECT_EQ(firstOffered, 2) << "the stop box is offered from the second box on";
    EXPECT_EQ(boxes, 2) << "no box after the user stopped them";
    EXPECT_EQ(messages.value(0), QStringLiteral("step 0"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(main->menuBar()->isEnabled());

    w->switchToCode();
    EXPECT_TRUE(w->code()->widget()->isVisible());
    EXPECT_TRUE(w->code()->text().contains(QStringLiteral("alert('step ' + i)")));
    // The page shown again after an edit counts anew: its boxes come back,
    // the stop box from the second one on.
    w->code()->setText(w->code()->text() + QStringLiteral("<!-- again -->"));
    boxes = 0;
    firstOffered = 0;
    user.start(30);
    w->switchToPreview();
    ASSERT_TRUE(waitUntil([&] { return firstOffered > 0 || boxes > 10; }, 30000));
    pump(500);
    user.stop();
    EXPECT_EQ(firstOffered, 2);
    EXPECT_EQ(boxes, 2);

    w->switchToCode();
    // The Design view, which never runs the page's script, still answers.
    w->switchToDesign();
    waitIdle(w);
    QString html;
    EXPECT_TRUE(w->design()->readDocumentHtml(&html));
    EXPECT_TRUE(html.contains(QStringLiteral("<p>loop</p>"), Qt::CaseInsensitive));
}

// A page nested far deeper than the Design view can follow: pressing Code
// shows the page's text whatever the Design view is doing.
TEST_F(PageLockout, ADeeplyNestedPageShowsItsTextInTheCodeView)
{
    constexpr int kDepth = 100000;
    const QByteArray page = "<html><body>" + QByteArray("<div>").repeated(kDepth) + "deep text"
        + QByteArray("</div>").repeated(kDepth) + "</body></html>";
    const QString path = writePage(QStringLiteral("deep.html"), page);
    ink::DocumentWindow* w = openPage(path, false);
    ASSERT_NE(w, nullptr);
    pump(200);

    // Should the switch wait on the Design view, the window is closed after
    // a while so that the test ends: the switch then counts as failed.
    const QPointer<ink::DocumentWindow> window(w);
    bool gaveUp = false;
    QTimer::singleShot(90000, main.get(), [&] {
        gaveUp = true;
        if (window)
            window->close();
    });
    w->switchToCode();
    ASSERT_FALSE(gaveUp) << "the Code view waited for the Design view";
    ASSERT_TRUE(window);
    EXPECT_TRUE(w->code()->widget()->isVisible());
    const QString text = w->code()->text();
    EXPECT_TRUE(text.contains(QStringLiteral("deep text")));
    EXPECT_EQ(text.count(QStringLiteral("<div>")), kDepth);
    EXPECT_FALSE(slotOf(w).modified);
}

}
