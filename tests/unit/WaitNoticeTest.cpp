// What the user sees of the program's waits: one busy period for nested
// waits, the innermost wait's text, and the outer text again once the inner
// wait ends.
#include "base/Wait.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

class RecordingDisplay : public ink::WaitDisplay {
public:
    QStringList log;
    void begin(const QString& text) override { log << QStringLiteral("begin ") + text; }
    void update(const QString& text) override { log << QStringLiteral("update ") + text; }
    void end() override { log << QStringLiteral("end"); }
};

class WaitNotices : public ::testing::Test {
protected:
    RecordingDisplay display;
    void SetUp() override { ink::WaitDisplay::install(&display); }
    void TearDown() override { ink::WaitDisplay::install(nullptr); }
};

TEST_F(WaitNotices, NestedWaitsShowOneBusyPeriod)
{
    {
        ink::WaitNotice outer(QStringLiteral("loading"), 0);
        outer.setText(QStringLiteral("loading 50"));
        {
            ink::WaitNotice inner(QStringLiteral("waiting"), 0);
            outer.setText(QStringLiteral("loading 60")); // hidden by the inner wait
        }
    }
    EXPECT_EQ(display.log, (QStringList{"begin loading", "update loading 50", "update waiting",
                                        "update loading 60", "end"}));
}

TEST_F(WaitNotices, QuickWaitsShowNothing)
{
    { ink::WaitNotice quick(QStringLiteral("waiting"), 300); }
    EXPECT_TRUE(display.log.isEmpty());
}

TEST_F(WaitNotices, WithoutADisplayNothingBreaks)
{
    ink::WaitDisplay::install(nullptr);
    ink::WaitNotice notice(QStringLiteral("waiting"), 0);
    notice.setText(QStringLiteral("still"));
    SUCCEED();
}

}
