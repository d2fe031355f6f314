#pragma once

namespace ink {

// How many alert, confirm and prompt boxes a page shown in a browser view
// may raise. From the second box of one load on, each box offers to stop
// the page's boxes; once the user took that, the page's further boxes are
// answered at once (an alert as seen, a confirm or prompt as cancelled)
// until the next load, so that a page asking in a loop cannot keep the
// user from the rest of the program.
class ScriptDialogGate {
public:
    // A new page load starts counting again.
    void newLoad()
    {
        shown_ = 0;
        stopped_ = false;
    }
    // Whether the next box may show at all.
    bool allows() const { return !stopped_; }
    // Whether the box about to show offers to stop the page's boxes.
    bool offersStop() const { return shown_ >= 1; }
    // A box was shown; `stop` when the user asked for no more.
    void shown(bool stop)
    {
        ++shown_;
        stopped_ = stopped_ || stop;
    }

private:
    int shown_ = 0;
    bool stopped_ = false;
};

}
