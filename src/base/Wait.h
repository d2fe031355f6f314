#pragma once

namespace ink {

// Waits the given number of seconds while the user interface processes its
// pending events (timer ticks, clicks and component events run inside).
void waitSeconds(double seconds);

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

}
