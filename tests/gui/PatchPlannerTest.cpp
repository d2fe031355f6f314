// Planning a Code edit of a long page on a worker thread: only the plan
// last asked for reaches the Design view, and a cancelled one never does.
#include "GuiTestSupport.h"

#include "platform/widgets/WebEnginePatchPlanner.h"

#include <gtest/gtest.h>

using namespace inktest;
using ink::WebEnginePatchPlanner;

namespace {

const QByteArray kBefore("<html><head></head><body><p>one</p><p>two</p></body></html>");

WebEnginePatchPlanner::TreeFuture parsed(const QByteArray& text)
{
    std::promise<std::shared_ptr<const ink::SourceTree>> tree;
    tree.set_value(std::make_shared<const ink::SourceTree>(ink::SourceTree::parse(text)));
    return tree.get_future().share();
}

QByteArray edited(const char* word)
{
    QByteArray text = kBefore;
    return text.replace("<p>two</p>", QByteArray("<p>two ") + word + "</p>");
}

}

TEST(PatchPlanner, OnlyThePlanLastStartedReports)
{
    WebEnginePatchPlanner planner;
    QList<WebEnginePatchPlanner::Plan> plans;
    QObject::connect(&planner, &WebEnginePatchPlanner::planned,
                     [&plans](const WebEnginePatchPlanner::Plan& plan) { plans << plan; });
    const WebEnginePatchPlanner::TreeFuture before = parsed(kBefore);
    planner.start(before, edited("first"));
    planner.start(before, edited("second"));
    ASSERT_TRUE(waitUntil([&plans] { return !plans.isEmpty(); }));
    pump(200);
    ASSERT_EQ(plans.size(), 1);
    EXPECT_EQ(plans[0].source, edited("second"));
    ASSERT_TRUE(plans[0].patch.has_value());
    EXPECT_EQ(plans[0].patch->markup, QStringLiteral("two second"));
    // The parse of the new text follows the plan.
    ASSERT_TRUE(plans[0].after.valid());
    const std::shared_ptr<const ink::SourceTree> after = plans[0].after.get();
    ASSERT_TRUE(after);
    EXPECT_EQ(after->text(), edited("second"));
}

TEST(PatchPlanner, ACancelledPlanNeverReports)
{
    WebEnginePatchPlanner planner;
    int reports = 0;
    QObject::connect(&planner, &WebEnginePatchPlanner::planned, [&reports] { ++reports; });
    planner.start(parsed(kBefore), edited("gone"));
    planner.cancel();
    pump(300);
    EXPECT_EQ(reports, 0);
}
