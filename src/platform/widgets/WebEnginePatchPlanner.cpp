#include "platform/widgets/WebEnginePatchPlanner.h"

#include "markup/SourceSplice.h"

#include <QPromise>
#include <QThreadPool>

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

// Only the stretch the edit reaches is parsed when its parse can be
// trusted to come out as a parse of the whole page would; otherwise the
// whole new text is parsed and compared with the old parse.
WebEnginePatchPlanner::Plan WebEnginePatchPlanner::plan(const SourceTree& before, QByteArray source)
{
    Plan result;
    if (std::optional<SplicedEdit> spliced = spliceSourceEdit(before, source)) {
        result.after = std::make_shared<const SourceTree>(std::move(spliced->after));
        result.patch = std::move(spliced->patch);
    } else {
        result.after = std::make_shared<const SourceTree>(SourceTree::parse(source));
        result.patch = planSourcePatch(before, *result.after);
    }
    result.source = std::move(source);
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
        if (tree)
            promise->addResult(plan(*tree, std::move(source)));
        promise->finish();
    });
    watcher_.setFuture(future);
}

void WebEnginePatchPlanner::cancel()
{
    watcher_.setFuture(QFuture<Plan>());
}

}
