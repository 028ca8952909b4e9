// Wait and the timers in virtual time: how long they take, and what ends them early.
#include <gtest/gtest.h>

#include "platform/clock.h"
#include "script/timed_wait.h"
#include "support/engine_fixture.h"
#include "support/script_runner.h"

namespace qeli::testing {
namespace {

class TimedWaitTest : public EngineTest {
protected:
    TimedWaitTest() { registerScriptCommands(table); }
};

TEST_F(TimedWaitTest, WaitAndTimersTakeExactlyTheirTime) {
    runScriptText(*context,
                  "Wait(0) Wait(-5) Flag[1] = TimerGet(2)\n"
                  "TimerStart(2) Wait(300) Flag[2] = TimerGet(2)\n"
                  "TimerWait(2, 500) Flag[3] = TimerGet(2)\n"
                  "TimerWait(3, 1000) TimerWait(2) Flag[4] = TimerGet(16) TimerStart(16)\n");
    EXPECT_EQ(context->flags[1], 0);
    EXPECT_EQ(context->flags[2], 300);
    EXPECT_EQ(context->flags[3], 500);
    EXPECT_EQ(context->flags[4], 0);
    EXPECT_EQ(platform::elapsedMs(), 500u);  // an unstarted timer and a missing time wait not at all
}

TEST_F(TimedWaitTest, WaitsEndEarlyWhenSkippingOrInterrupted) {
    const uint32_t start = platform::nowMs();
    EXPECT_EQ(script::waitFromClock(engine, start, 250, [] { return true; }), script::WaitEnd::Skipped);
    EXPECT_EQ(platform::nowMs(), start);

    // Skipping that starts during the wait is seen within 100 ms.
    auto skipFrom150 = [start] { return platform::nowMs() - start >= 150; };
    EXPECT_EQ(script::waitFromClock(engine, start, 1000, skipFrom150), script::WaitEnd::Skipped);
    EXPECT_EQ(platform::nowMs() - start, 200u);

    engine.quit = 1;
    EXPECT_EQ(script::waitFromClock(engine, platform::nowMs(), 1000, [] { return false; }),
              script::WaitEnd::Interrupted);
    EXPECT_EQ(platform::nowMs() - start, 200u);
}

}  // namespace
}  // namespace qeli::testing
