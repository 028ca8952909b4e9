#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/event.h"
#include "support/engine_fixture.h"

namespace qeli::platform {
namespace {

class VirtualTime : public ::testing::Test {
protected:
    void SetUp() override { testing::installHeadlessBackend(); }
};

TEST_F(VirtualTime, SleepAdvancesTheClockExactlyAndTakesNoRealTime) {
    uint32_t start = nowMs();
    EXPECT_NE(start, 0u);
    sleepMs(250);
    sleepMs(3'000'000 - 250);
    EXPECT_EQ(nowMs() - start, 3'000'000u);
    EXPECT_EQ(elapsedMs(), 3'000'000u);
}

TEST_F(VirtualTime, TicksDueTogetherRunInputThenSoundThenFrame) {
    std::vector<std::string> order;
    Ticker frame(TickOrder::Frame, 16, [&] { order.push_back("frame@" + std::to_string(elapsedMs())); });
    Ticker sound(TickOrder::Sound, 100, [&] { order.push_back("sound@" + std::to_string(elapsedMs())); });
    Ticker input(TickOrder::Input, 48, [&] { order.push_back("input@" + std::to_string(elapsedMs())); });
    sleepMs(48);
    EXPECT_EQ(order, (std::vector<std::string>{"frame@16", "frame@32", "input@48", "frame@48"}));
    order.clear();
    sleepMs(400 - 48);
    EXPECT_EQ(order[order.size() - 2], "sound@400");
    EXPECT_EQ(order.back(), "frame@400");
}

TEST_F(VirtualTime, EventWaitsEndAtTheTickThatSignalsThem) {
    Event event(false, false);
    int ticks = 0;
    Ticker frame(TickOrder::Frame, 16, [&] {
        if (++ticks == 3) event.set();
    });
    EXPECT_TRUE(event.wait(1000));
    EXPECT_EQ(elapsedMs(), 48u);
    // Auto-reset: the wait took the signal.
    EXPECT_FALSE(event.wait(10));
    EXPECT_EQ(elapsedMs(), 58u);
}

TEST_F(VirtualTime, AManualResetEventStaysSet) {
    Event gate(true, true);
    EXPECT_TRUE(gate.wait());
    EXPECT_TRUE(gate.wait(0));
    gate.reset();
    EXPECT_FALSE(gate.wait(5));
    EXPECT_EQ(elapsedMs(), 5u);
}

TEST(VirtualTimeLimit, AWaitNothingCanEndStopsAtTheLimitOnce) {
    int reached = 0;
    HeadlessOptions options;
    options.timeLimitMs = 5000;
    options.onTimeLimit = [&] { ++reached; };
    installBackend(makeHeadlessBackend(options));
    Event never(true, false);
    EXPECT_FALSE(never.wait());
    EXPECT_EQ(elapsedMs(), 5000u);
    EXPECT_FALSE(never.wait());
    sleepMs(100);
    EXPECT_EQ(elapsedMs(), 5000u);
    EXPECT_EQ(reached, 1);
    testing::installHeadlessBackend();
}

}  // namespace
}  // namespace qeli::platform
