#include "platform/widgets/WebEnginePatchPlanner.h"

#include "markup/SourceSplice.h"

#include <QPromise>
#include <QThreadPool>

#include <functional>

namespace ink {

WebEnginePatchPlanner::WebEnginePatchPlanner(QObject* parent)
    : QObject(parent)
{
    connect(&watcher_, &QFutureWatcherBase::finished, this, [this] {
        // A cancelled plan's future is no longer watched: only the last one
        // started reports.
        const QFuture<Plan> future = watcher_.future();
        if (future.resultCount() > 0)
            emit planned(future.result());
    });
}

// A plan under way finishes on its worker and is dropped there.
WebEnginePatchPlanner::~WebEnginePatchPlanner()
{
    cancel();
}

namespace {

WebEnginePatchPlanner::TreeFuture ready(SourceTree tree)
{
    std::promise<std::shared_ptr<const SourceTree>> made;
    made.set_value(std::make_shared<const SourceTree>(std::move(tree)));
    return made.get_future().share();
}

// Only the stretch the edit reaches is parsed when its parse can be
// trusted to come out as a parse of the whole page would; otherwise the
// whole new text is parsed and compared with the old parse. `report` takes
// the plan as soon as its patch is known; `spliced` then puts the new
// parse together from the old one, when only the stretch was parsed.
void work(const SourceTree& before, QByteArray source,
          const std::function<void(WebEnginePatchPlanner::Plan)>& report,
          const std::function<void(SourceTree)>& spliced)
{
    WebEnginePatchPlanner::Plan result;
    if (std::optional<SplicePlan> splice = planSourceSplice(before, source)) {
        result.patch = std::move(splice->patch);
        result.source = source;
        report(std::move(result));
        spliced(splice->tree(source));
        return;
    }
    SourceTree after = SourceTree::parse(source);
    result.patch = planSourcePatch(before, after);
    result.after = ready(std::move(after));
    result.source = std::move(source);
    report(std::move(result));
}

}

WebEnginePatchPlanner::Plan WebEnginePatchPlanner::plan(const SourceTree& before, QByteArray source)
{
    Plan result;
    work(
        before, std::move(source), [&result](Plan plan) { result = std::move(plan); },
        [&result](SourceTree tree) { result.after = ready(std::move(tree)); });
    return result;
}

void WebEnginePatchPlanner::start(TreeFuture before, QByteArray source)
{
    cancel();
    auto promise = std::make_shared<QPromise<Plan>>();
    QFuture<Plan> future = promise->future();
    promise->start();
    QThreadPool::globalInstance()->start([promise, before, source = std::move(source)]() mutable {
        const std::shared_ptr<const SourceTree> tree = before.get();
        if (!tree) {
            promise->finish();
            return;
        }
        // The parse to come is promised with the plan, and kept when the
        // plan is dropped (a promise left unkept would break its waiters).
        auto parse = std::make_shared<std::promise<std::shared_ptr<const SourceTree>>>();
        TreeFuture later = parse->get_future().share();
        bool kept = false;
        work(
            *tree, std::move(source),
            [&](Plan plan) {
                if (!plan.after.valid())
                    plan.after = later;
                else
                    kept = true;
                promise->addResult(std::move(plan));
                promise->finish();
            },
            [&](SourceTree spliced) {
                parse->set_value(std::make_shared<const SourceTree>(std::move(spliced)));
                kept = true;
            });
        if (!kept)
            parse->set_value(nullptr);
    });
    watcher_.setFuture(future);
}

void WebEnginePatchPlanner::cancel()
{
    watcher_.setFuture(QFuture<Plan>());
}

}
