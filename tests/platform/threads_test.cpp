#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/main_thread.h"
#include "platform/message_box.h"
#include "platform/thread.h"
#include "support/engine_fixture.h"

namespace qeli::platform {
namespace {

class Threads : public ::testing::Test {
protected:
    void SetUp() override { testing::installHeadlessBackend(); }
};

TEST_F(Threads, CallsFromOtherThreadsRunOnTheMainThreadInOrder) {
    std::vector<int> ran;
    ThreadObject worker([&](ThreadObject&) {
        for (int i = 1; i <= 3; ++i)
            EXPECT_EQ(runOnMainThread([&, i] {
                          ran.push_back(onMainThread() ? i : -i);
                          return intptr_t{i * 10};
                      }),
                      i * 10);
        postToMainThread([] { quitMainLoop(7); });
    });
    ASSERT_TRUE(worker.start());
    EXPECT_EQ(runMainLoop(), 7);
    EXPECT_TRUE(worker.stop());
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
    // Once the loop has ended, a call does not wait for it.
    ThreadObject late([](ThreadObject&) { EXPECT_EQ(runOnMainThread([] { return intptr_t{5}; }), 0); });
    late.start();
    EXPECT_TRUE(late.stop());
    setMainThread();
}

TEST_F(Threads, StopSetsTheFlagAndWaitsForTheThread) {
    std::atomic<bool> sawStop{false};
    ThreadObject t([&](ThreadObject& self) {
        while (!self.stopRequested()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        sawStop = true;
    });
    EXPECT_TRUE(t.start());
    EXPECT_FALSE(t.start());
    EXPECT_TRUE(t.running());
    EXPECT_TRUE(t.stop());
    EXPECT_TRUE(sawStop);
    EXPECT_FALSE(t.running());
    EXPECT_TRUE(t.start());  // a stopped thread object can start again
    EXPECT_TRUE(t.stop());
}

TEST_F(Threads, StopGivesUpOnAThreadThatDoesNotEnd) {
    auto release = std::make_shared<std::atomic<bool>>(false);
    ThreadObject t([release](ThreadObject&) {
        while (!*release) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    });
    t.start();
    EXPECT_FALSE(t.stop());
    // The thread was left running; let it end before its object goes away.
    *release = true;
    while (t.running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

TEST_F(Threads, HeadlessBoxesAreAnsweredByPolicyAndRecorded) {
    struct Case {
        BoxButtons buttons;
        std::optional<BoxAnswer> queued;
        BoxAnswer expected;
    };
    const Case cases[] = {
        {BoxButtons::Ok, std::nullopt, BoxAnswer::Ok},
        {BoxButtons::OkCancel, std::nullopt, BoxAnswer::Cancel},
        {BoxButtons::YesNo, std::nullopt, BoxAnswer::No},
        {BoxButtons::RetryCancel, std::nullopt, BoxAnswer::Cancel},
        {BoxButtons::AbortRetryIgnore, std::nullopt, BoxAnswer::Ignore},
        {BoxButtons::RetryCancel, BoxAnswer::Retry, BoxAnswer::Retry},
        {BoxButtons::Ok, BoxAnswer::Retry, BoxAnswer::Ok},  // an answer the box does not offer is not given
    };
    for (const Case& c : cases) {
        clearShownMessageBoxes();
        if (c.queued) queueMessageBoxAnswer(*c.queued);
        EXPECT_EQ(showMessageBox("caption", "text", c.buttons, BoxIcon::Warning), c.expected);
        ASSERT_EQ(shownMessageBoxes().size(), 1u);
        EXPECT_EQ(shownMessageBoxes()[0].answer, c.expected);
    }
}

}  // namespace
}  // namespace qeli::platform
