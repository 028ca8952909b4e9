#include <gtest/gtest.h>

#include "app/command_line.h"
#include "app/display_size.h"
#include "app/engine_state.h"
#include "app/single_instance.h"

namespace qeli::app {
namespace {

TEST(SingleInstanceName, TurnsSeparatorsIntoUnderscoresButNotTrailBytes) {
    EXPECT_EQ(singleInstanceName("C:\\Games\\Demo"), "Global\\QeliSystemRunning-C:_Games_Demo");
    // 0x95 0x5C is one double-byte character whose trail byte is a backslash: it stays whole.
    EXPECT_EQ(singleInstanceName("C:\\\x95\x5C\\x"), "Global\\QeliSystemRunning-C:_\x95\x5C_x");
}

TEST(SingleInstanceName, LongDirectoriesKeepTheirTailInExactly260Characters) {
    std::string directory = "/" + std::string(300, 'a') + "/tail";
    std::string name = singleInstanceName(directory);
    EXPECT_EQ(name.size(), kInstanceNameLength);
    EXPECT_TRUE(name.starts_with("Global\\QeliSystemRunning-aaa"));
    EXPECT_TRUE(name.ends_with("aaa/tail"));
    // Reaching 260 exactly already truncates; one short of it does not.
    std::string prefix = "Global\\QeliSystemRunning-";
    EXPECT_EQ(singleInstanceName(std::string(260 - prefix.size(), 'b')).size(), 260u);
    EXPECT_EQ(singleInstanceName(std::string(259 - prefix.size(), 'b')).size(), 259u);
}

TEST(CommandLine, ReadsEveryOption) {
    std::string error;
    auto line = parseCommandLine({"game", "--headless", "--dump", "out.json", "--time-limit", "5000", "-WindowConfig",
                                  "-other"},
                                 error);
    ASSERT_TRUE(line) << error;
    EXPECT_EQ(line->gameDirectory, "game");
    EXPECT_TRUE(line->headless);
    EXPECT_TRUE(line->windowConfig);
    EXPECT_EQ(line->dumpFile, "out.json");
    EXPECT_EQ(line->timeLimitMs, 5000u);
}

TEST(CommandLine, RejectsWhatItCannotRead) {
    const std::vector<std::vector<std::string>> bad = {
        {"--dump"}, {"--time-limit", "soon"}, {"--time-limit", "-5"}, {"--frobnicate"}, {"a", "b"}};
    for (const auto& args : bad) {
        std::string error;
        EXPECT_FALSE(parseCommandLine(args, error)) << args[0];
        EXPECT_FALSE(error.empty());
    }
}

TEST(DisplaySize, AutoModePicksTheSmallestModeThatHoldsTheGame) {
    using platform::DisplayMode;
    std::vector<DisplayMode> modes = {{1920, 1080, 32}, {800, 600, 8}, {1024, 768, 32}, {800, 600, 16}, {640, 480, 32}};
    auto mode = autoDisplayMode(modes, 800, 600);
    ASSERT_TRUE(mode);
    EXPECT_EQ(mode->width, 800);
    EXPECT_EQ(mode->bitsPerPixel, 16);
    EXPECT_FALSE(autoDisplayMode({{640, 480, 32}, {2000, 2000, 8}}, 800, 600));

    EngineState state;
    state.baseWidth = 4000;
    state.baseHeight = 3000;
    computeDisplaySize(state);  // the headless desktop has no such mode: the base size stands
    EXPECT_EQ(state.displayWidth, 4000);
    EXPECT_EQ(state.displayHeight, 3000);
}

TEST(DisplaySize, WindowsTooLargeForTheWorkAreaShrinkWithTheirAspect) {
    EngineState state;
    state.windowWidth = 1600;
    state.windowHeight = 1200;
    fitWindowIntoWorkArea(state, {1280, 1000, 6, 6, 23});
    EXPECT_EQ(state.windowWidth, 1275);
    EXPECT_EQ(state.windowHeight, 956);
    state.windowWidth = 640;
    state.windowHeight = 480;
    fitWindowIntoWorkArea(state, {1280, 1000, 6, 6, 23});
    EXPECT_EQ(state.windowWidth, 640);
    EXPECT_EQ(state.windowHeight, 480);
}

}  // namespace
}  // namespace qeli::app
