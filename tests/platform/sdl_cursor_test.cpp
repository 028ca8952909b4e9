#include <gtest/gtest.h>

#include "platform/sdl/sdl_cursor.h"

namespace qeli::platform {
namespace {

// Needs a display (e.g. under xvfb-run): SDL's dummy video driver cannot make colour cursors.
class SdlCursorTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_videoReady = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0; }
    static void TearDownTestSuite() {
        if (s_videoReady) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    void SetUp() override {
        if (!s_videoReady) GTEST_SKIP() << "no display: " << SDL_GetError();
        CursorAnimation probe{{{1, 1, 0, 0, std::vector<uint8_t>(4, 255)}}, {{0, 0}}};
        if (!SdlCursor::create(probe))
            GTEST_SKIP() << "video driver " << SDL_GetCurrentVideoDriver() << " makes no colour cursors";
    }
    static inline bool s_videoReady = false;
};

CursorAnimation threeSteps() {
    CursorAnimation animation;
    for (int i = 0; i < 2; ++i) animation.frames.push_back({2, 2, 0, 1, std::vector<uint8_t>(16, uint8_t(i * 100))});
    animation.steps = {{0, 100}, {1, 200}, {0, 50}};
    return animation;
}

TEST_F(SdlCursorTest, AnimatedCursorStepsOnTime) {
    auto cursor = SdlCursor::create(threeSteps());
    ASSERT_TRUE(cursor);
    CursorAnimator animator;
    animator.show(cursor, 1000);
    EXPECT_EQ(SDL_GetCursor(), cursor->frameOfStep(0));
    EXPECT_EQ(animator.msUntilNextStep(1040), 60u);
    animator.advance(1099);
    EXPECT_EQ(SDL_GetCursor(), cursor->frameOfStep(0));
    animator.advance(1100);
    EXPECT_EQ(SDL_GetCursor(), cursor->frameOfStep(1));
    animator.advance(1350);
    EXPECT_EQ(SDL_GetCursor(), cursor->frameOfStep(0)) << "the third step shows frame 0 again";
    EXPECT_EQ(animator.msUntilNextStep(1360), 90u);
    animator.advance(1'000'000);  // a long stall resumes without replaying every step
    EXPECT_TRUE(animator.msUntilNextStep(1'000'000).has_value());
    animator.show(nullptr, 0);
    EXPECT_FALSE(animator.msUntilNextStep(5));
}

TEST_F(SdlCursorTest, StillCursorsDoNotAnimateAndBadFramesAreRefused) {
    CursorAnimation still = threeSteps();
    still.steps = {{1, 0}};
    auto cursor = SdlCursor::create(still);
    ASSERT_TRUE(cursor);
    CursorAnimator animator;
    animator.show(cursor, 0);
    EXPECT_FALSE(animator.msUntilNextStep(10));
    CursorAnimation bad = threeSteps();
    bad.frames[0].rgba.resize(3);
    EXPECT_FALSE(SdlCursor::create(bad));
    animator.show(nullptr, 0);
}

}  // namespace
}  // namespace qeli::platform
