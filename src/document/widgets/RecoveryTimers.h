#pragma once
#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QTimer>

#include <functional>

namespace ink {

// When to write a page's recovery copy: once the user has stopped typing for
// a moment, and never more than ten seconds after the first change not yet
// copied, however long the typing goes on.
class RecoveryTimers : public QObject {
    Q_OBJECT
public:
    static constexpr int QuietMs = 2000;
    static constexpr int LatestMs = 10000;

    explicit RecoveryTimers(std::function<void(int slot)> due, QObject* parent = nullptr);

    // The page in `slot` changed.
    void touch(int slot);
    void forget(int slot);

private:
    struct Pending {
        QTimer* timer = nullptr;
        QElapsedTimer since; // the first change not yet copied
    };
    std::function<void(int)> due_;
    QHash<int, Pending> pending_;
};

}
