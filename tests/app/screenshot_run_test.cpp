// A tiny game run headless with --screenshot-dir: the frame is written when the game shows its
// picture (DrawStart) and at the end of the run.
#include <gtest/gtest.h>

#include <fstream>

#include "graphics/surface.h"
#include "platform/file_system.h"
#include "support/engine_fixture.h"
#include "support/picture_writer.h"
#include "support/qls_writer.h"
#include "support/run_qeli.h"

namespace qeli::app {
namespace {

TEST(ScreenshotRun, FramesAreWrittenWhenTheGameShowsThem) {
    testing::ScratchFolder scratch;
    std::string game = scratch.file("game");
    std::filesystem::create_directories(game);
    testing::BmpFixture fixture;  // 2 x 2, blue
    fixture.width = fixture.height = 2;
    fixture.pixels = {0xFF, 0, 0, 0xFF, 0, 0, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0, 0};
    auto bmp = testing::bmpFile(fixture);
    std::ofstream(game + "/pic.bmp", std::ios::binary).write(reinterpret_cast<const char*>(bmp.data()), bmp.size());
    testing::QlsWriter w;
    w.call("DrawStop", {});
    w.call("GraphicLoad", {w.intConstant(1), w.stringLiteral("pic.bmp"), w.intConstant(10), w.intConstant(20)});
    w.call("DrawStart", {});
    w.call("GraphicMove", {w.intConstant(1), w.intConstant(30), w.intConstant(20)});
    w.writeTo(game + "/start.qls");

    auto run = testing::runQeliHeadless(game, {"--screenshot-dir", scratch.file("shots")});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    auto first = platform::readWholeFile(scratch.file("shots/screenshot-0001.png"));
    auto last = platform::readWholeFile(scratch.file("shots/screenshot-0002.png"));
    ASSERT_TRUE(first && last);
    EXPECT_FALSE(platform::fileExists(scratch.file("shots/screenshot-0003.png")));
    graphics::Surface shown, ended;
    ASSERT_TRUE(shown.loadFromMemory(*first));
    ASSERT_TRUE(ended.loadFromMemory(*last));
    EXPECT_EQ(shown.width(), 640);
    EXPECT_EQ(shown.pixel(10, 20) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(shown.pixel(12, 20) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(ended.pixel(30, 21) & 0xFFFFFF, 0x0000FFu) << "moved before the run ended";
    EXPECT_EQ(ended.pixel(10, 20) & 0xFFFFFF, 0xFFFFFFu);
}

}  // namespace
}  // namespace qeli::app
