// Keys typed at once after File > New Page all land in the new page, in
// the order they were typed, whether or not a design surface was made ahead.
#include "MainWindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWindow>

using namespace ink;
using namespace inktest;

namespace {

// Runs `then` when the shortcut reaches `action`, before the action runs.
class OnShortcut : public QObject {
public:
    OnShortcut(QObject* action, std::function<void()> then) : action_(action), then_(std::move(then))
    {
        action_->installEventFilter(this);
    }
    ~OnShortcut() override { action_->removeEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Shortcut)
            then_();
        return false;
    }

private:
    QObject* action_;
    std::function<void()> then_;
};

class NewPageTypingTest : public MainWindowTest {
protected:
    // Keys as the window system hands them over: each goes to the widget
    // that has the keyboard focus when its turn comes.
    void typeInto(QWindow* window, const QString& text)
    {
        for (const QChar ch : text)
            QTest::keyClick(window, ch.toLatin1());
    }
    // Text an input method commits, to whatever has the focus then.
    static void commitText(const QString& text)
    {
        QInputMethodEvent event;
        event.setCommitString(text);
        if (QObject* focus = QGuiApplication::focusObject())
            QCoreApplication::sendEvent(focus, &event);
    }
};

TEST_F(NewPageTypingTest, KeysTypedRightAfterCtrlNAllLandInTheNewPageInOrder)
{
    const QString typed = QStringLiteral("Quick brown");
    const QString composed = QStringLiteral(" f\u00FCr");
    const struct {
        const char* what;
        bool prepared;   // a window made ahead is waiting
        bool queued;     // the keys already wait when Ctrl+N is handled
    } cases[] = {
        {"first page at start, keys after the command", false, false},
        {"first page at start, keys queued behind Ctrl+N", false, true},
        {"window made ahead, keys after the command", true, false},
        {"window made ahead, keys queued behind Ctrl+N", true, true},
    };
    // Keys, then text from an input method, in that order.
    const auto typeAll = [&](QWindow* window) {
        typeInto(window, typed);
        commitText(composed);
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        closeMain();
        startMain();
        main->show();
        main->activateWindow();
        QWindow* window = main->windowHandle();
        ASSERT_TRUE(waitUntil([&] { return window->isExposed() && main->isActiveWindow(); }));
        if (c.prepared)
            ASSERT_TRUE(waitUntil([&] { return main->windowMadeAhead() != nullptr; }));
        else
            ASSERT_EQ(main->windowMadeAhead(), nullptr);

        // Keys already waiting behind Ctrl+N are handed over while the new
        // window is being made (whenever the program lets events through).
        QAction* newPage = main->action(QStringLiteral("new"));
        ASSERT_NE(newPage, nullptr);
        OnShortcut queue(newPage, [&] {
            if (c.queued)
                QTimer::singleShot(0, main.get(), [&] { typeAll(window); });
        });
        QTest::keyClick(window, Qt::Key_N, Qt::ControlModifier);
        DocumentWindow* w = active();
        ASSERT_NE(w, nullptr);
        if (!c.queued)
            typeAll(window);

        waitIdle(w);
        pump(200);
        EXPECT_EQ(js(QStringLiteral("document.body.textContent")).toString().trimmed(), typed + composed);
        w->switchToCode();
        EXPECT_TRUE(w->code()->text().contains(typed + QStringLiteral(" f&uuml;r"))
                    || w->code()->text().contains(typed + composed)) << qPrintable(w->code()->text());
        // Nothing went astray into the window's other boxes.
        for (const QLineEdit* box : w->findChildren<QLineEdit*>())
            EXPECT_FALSE(box->text().contains(QLatin1String("Quick"))) << qPrintable(box->objectName());
    }
}

}

