#pragma once
#include <QCoreApplication>
#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

class QTimer;

namespace ink {

// Waits the given number of seconds while the user interface processes its
// pending events (timer ticks, clicks and component events run inside). The
// thread sleeps in the event loop meanwhile.
void waitSeconds(double seconds);

// Lets the user interface process the events already pending, without
// waiting for more: the effect of a short wait without its latency.
void processPendingEvents();

// Marks a stretch of code that processes events from inside a handler (a
// wait, a synchronous call into a component). Windows that closed meanwhile
// are deleted only once no such stretch is running, so that no handler
// deeper in the stack is left holding a deleted window.
class NestedEventLoop {
public:
    NestedEventLoop();
    ~NestedEventLoop();
    NestedEventLoop(const NestedEventLoop&) = delete;
    NestedEventLoop& operator=(const NestedEventLoop&) = delete;

    static int depth();
};

// Processes events until `done` holds. The wait sleeps in the event loop:
// callers connect the signals that may make `done` true to wake(), and
// `done` is checked again every `recheckMs` as well, for what no signal
// announces (the user closing the window meanwhile).
class EventWait : public QObject {
    Q_OBJECT
public:
    explicit EventWait(std::function<bool()> done, int recheckMs = 250);
    ~EventWait() override;

    void wake();
    // `excludeUserInput`: keyboard and mouse input waits until the end.
    void exec(bool excludeUserInput = false);

private:
    std::function<bool()> done_;
    int recheckMs_;
    QObject* loop_ = nullptr;
};

// Runs `work` on a thread of its own while the window goes on answering
// (events are processed meanwhile, as in any wait, and at least once) and
// gives back what it made. Empty when the program quits before the work
// ends: the work then finishes on its own and what it made is dropped.
// `work` must touch nothing the window's thread uses.
template <typename T>
std::optional<T> runWhileAnswering(std::function<T()> work)
{
    struct State {
        std::atomic<bool> done{false};
        std::optional<T> result;
        // Touched on the window's thread only.
        EventWait* wait = nullptr;
    };
    const auto state = std::make_shared<State>();
    std::thread([state, work = std::move(work)] {
        state->result.emplace(work());
        state->done.store(true);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [state] {
                if (state->wait)
                    state->wait->wake();
            },
            Qt::QueuedConnection);
    }).detach();
    // The window answers at least once, however soon the work ends: whether
    // what came in meanwhile is handled before the work's result is used
    // does not hang on how fast the disk or the machine was this time.
    processPendingEvents();
    EventWait wait([&state] { return state->done.load(); }, 100);
    state->wait = &wait;
    wait.exec();
    state->wait = nullptr;
    if (!state->done.load())
        return std::nullopt;
    return std::move(state->result);
}

// How the program shows that it waits on a component: a busy cursor and a
// status bar text. The main window installs the one the user sees; without
// one, waits show nothing.
class WaitDisplay {
public:
    virtual ~WaitDisplay() = default;
    // Called for the outermost wait only, then text updates while it lasts.
    virtual void begin(const QString& text) = 0;
    virtual void update(const QString& text) = 0;
    virtual void end() = 0;

    static void install(WaitDisplay* display);
    static WaitDisplay* current();
};

// Shown while it lives: once the wait has lasted `delayMs` (so that quick
// calls do not flicker), the wait display shows `text`. Nested notices show
// the innermost text and end with the outermost.
class WaitNotice {
public:
    explicit WaitNotice(const QString& text, int delayMs = 300);
    ~WaitNotice();
    WaitNotice(const WaitNotice&) = delete;
    WaitNotice& operator=(const WaitNotice&) = delete;

    void setText(const QString& text);

private:
    void show();

    QString text_;
    QTimer* timer_;
    bool shown_ = false;
};

}
