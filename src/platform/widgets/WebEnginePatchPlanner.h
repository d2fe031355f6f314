#pragma once
#include "markup/SourcePatch.h"
#include "markup/SourceTree.h"

#include <QByteArray>
#include <QFutureWatcher>
#include <QObject>

#include <future>
#include <memory>
#include <optional>

namespace ink {

// Plans an edit laid in place (see planSourceSplice and planSourcePatch) on
// a worker thread: where the whole of a long page's new text must be
// parsed, that takes seconds, and the window goes on taking input
// meanwhile. One plan at a time; starting another, or cancelling, forgets
// the one under way.
class WebEnginePatchPlanner : public QObject {
    Q_OBJECT
public:
    using TreeFuture = std::shared_future<std::shared_ptr<const SourceTree>>;
    struct Plan {
        QByteArray source;                 // the new text
        // Its parse: the patch is reported before the parse of a long page
        // is put together, which goes on on the worker meanwhile.
        TreeFuture after;
        std::optional<SourcePatch> patch;  // none: load the text anew
    };

    explicit WebEnginePatchPlanner(QObject* parent = nullptr);
    ~WebEnginePatchPlanner() override;

    // Plans the change from the text parsed as `before` to `source`.
    void start(TreeFuture before, QByteArray source);
    void cancel();

    // The plan worked out on the worker thread, for tests and the planner:
    // its parse is ready when it returns.
    static Plan plan(const SourceTree& before, QByteArray source);

signals:
    // On the planner's thread, once the plan last started is ready.
    void planned(const ink::WebEnginePatchPlanner::Plan& plan);

private:
    QFutureWatcher<Plan> watcher_;
};

}
