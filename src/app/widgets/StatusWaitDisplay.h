#pragma once
#include "base/Wait.h"

#include <QPointer>

class QStatusBar;

namespace ink {

// Shows the program's waits on its components to the user: the busy
// cursor over every window, and what is happening in the status bar.
class StatusWaitDisplay : public WaitDisplay {
public:
    explicit StatusWaitDisplay(QStatusBar* bar);
    ~StatusWaitDisplay() override;

    void begin(const QString& text) override;
    void update(const QString& text) override;
    void end() override;

private:
    QPointer<QStatusBar> bar_;
    bool cursorSet_ = false;
};

}
