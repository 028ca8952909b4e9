// The graphic commands in virtual time, with the frame tick running: scrolls and their wait, sprite
// animation and its wait, loading with a colour key, filter layers, visibility and sprites.
#include <gtest/gtest.h>

#include <fstream>

#include "graphics/graphic_commands.h"
#include "graphics/renderer.h"
#include "platform/clock.h"
#include "support/engine_fixture.h"
#include "support/picture_writer.h"

namespace qeli::graphics {
namespace {

using script::CommandResult;
using script::Param;

Param integer(int32_t value) {
    Param p;
    p.value = value;
    p.empty = false;
    return p;
}

Param text(const char* value) {
    Param p;
    p.type = script::TokenType::StringConstant;
    p.text = value;
    p.empty = false;
    return p;
}

class GraphicCommandsTest : public testing::EngineTest {
protected:
    GraphicCommandsTest() {
        registerGraphicCommands(table);
        registerGraphicMotionCommands(table);
        registerSpriteCommands(table);
        context->layers = &set;
        frame.create(640, 480);
        work.create(640, 480);
        renderer().attach({&frame, &work, &destroyed, &paintingOff, {}});
        renderer().setLayerSet(&set);
        renderer().start();
    }
    ~GraphicCommandsTest() override {
        renderer().stop();
        renderer().detach();
        renderer().setLayerSet(nullptr);
    }

    std::optional<CommandResult> run(const char* name, std::vector<Param> params) {
        return table.row(table.find(name)).handler(*context, static_cast<int32_t>(params.size()), params.data());
    }
    Layer& pictureLayer(int32_t number, int32_t width = 10, int32_t height = 10) {
        Layer& layer = set.create(number);
        layer.graphic.create(width, height);
        layer.visible = true;
        return layer;
    }

    LayerSet set{640, 480};
    Surface frame, work;
    std::atomic<bool> destroyed{false}, paintingOff{false};
};

TEST_F(GraphicCommandsTest, ScrollStopsOnItsTargetAndTheWaitEndsThen) {
    Layer& layer = pictureLayer(3);
    uint64_t start = platform::elapsedMs();
    run("GraphicScroll", {integer(3), integer(1000), integer(100), integer(0)});
    run("GraphicScrollWait", {integer(3)});
    EXPECT_EQ(layer.x, 100.0);
    EXPECT_EQ(layer.y, 0.0);
    EXPECT_EQ(layer.scrollState, 0);
    uint64_t took = platform::elapsedMs() - start;
    EXPECT_GE(took, 1000u);
    EXPECT_LE(took, 1200u);
}

TEST_F(GraphicCommandsTest, LoopingScrollsAreNotWaitedForUntilToldToStop) {
    Layer& layer = pictureLayer(3);
    run("GraphicScrollLoop", {integer(3), integer(1000), integer(100), integer(0), integer(0), integer(0),
                              integer(200), integer(0)});
    uint64_t start = platform::elapsedMs();
    run("GraphicScrollWait", {integer(3)});
    EXPECT_EQ(platform::elapsedMs(), start);
    platform::sleepMs(5000);
    EXPECT_EQ(layer.scrollState, 2);
    EXPECT_GE(layer.x, 0.0);
    EXPECT_LE(layer.x, 200.0);
    run("GraphicScroll", {integer(3)});
    run("GraphicScrollWait", {integer(3)});
    EXPECT_EQ(layer.x, 200.0) << "stops at the edge of its box";
}

TEST_F(GraphicCommandsTest, SpriteMotionWaitEndsOnTheLastCellOfAOneShotCharacter) {
    Layer& source = pictureLayer(20, 30, 10);
    std::vector<CellRecord> cells(3);
    for (int i = 0; i < 3; ++i) cells[size_t(i)].words = {i * 10, 0, 10, 10, 100, i == 0 ? 4 : 0, 0, 0};
    source.graphic.loadCellTable(encodeCellTable(cells));
    pictureLayer(1);
    run("SpriteCreate", {integer(1), integer(7), integer(0), integer(0), integer(20), integer(0)});
    ASSERT_EQ(run("SpriteIs", {integer(1), integer(7)})->value, 1);
    uint64_t start = platform::elapsedMs();
    run("SpriteMotionWait", {integer(1), integer(7)});
    const Sprite& sprite = *set.find(1)->sprites().front();
    EXPECT_EQ(sprite.cellIndex, 2) << "the third cell is shown";
    uint64_t took = platform::elapsedMs() - start;
    EXPECT_GE(took, 200u);
    EXPECT_LE(took, 260u);

    // The same number again replaces the sprite.
    run("SpriteCreate", {integer(1), integer(7), integer(5), integer(5), integer(20), integer(0)});
    EXPECT_EQ(set.find(1)->sprites().size(), 1u);
    EXPECT_EQ(set.find(1)->sprites().front()->x, 5);
}

TEST_F(GraphicCommandsTest, LoadWithAnEmptyAlphaNameIsColourKeyed) {
    testing::BmpFixture fixture;
    fixture.width = 2;
    fixture.height = 1;
    fixture.pixels = {0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0, 0};
    auto bytes = testing::bmpFile(fixture);
    std::ofstream(folder.file("key.bmp"), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    run("GraphicLoad", {integer(5), text("key.bmp"), text(""), integer(0), integer(0)});
    Layer* layer = set.find(5);
    ASSERT_TRUE(layer);
    EXPECT_EQ(layer->graphic.kind(), SurfaceKind::ColourKey);
    EXPECT_TRUE(layer->visible);
    run("GraphicLoadHide", {integer(6), text("key.bmp"), integer(3), integer(4)});
    EXPECT_EQ(set.find(6)->graphic.kind(), SurfaceKind::Opaque);
    EXPECT_FALSE(set.find(6)->visible);
    EXPECT_EQ(run("GraphicPositionX", {integer(6)})->value, 3);
}

TEST_F(GraphicCommandsTest, FilterLayersVisibilityAndFades) {
    pictureLayer(50);
    run("GraphicFilter", {integer(50), integer(2)});
    EXPECT_EQ(set.find(50)->graphic.kind(), SurfaceKind(kMonochromeLayer));
    EXPECT_FALSE(set.find(50)->graphic.hasPixels()) << "the old graphic is gone";

    EXPECT_EQ(run("GraphicVisible", {integer(99)})->value, -1);
    EXPECT_EQ(run("GraphicVisible", {})->value, -1);
    EXPECT_EQ(run("GraphicVisible", {integer(50), integer(0)})->value, 0);

    Layer& faded = pictureLayer(4);
    run("GraphicTransmittanceScroll", {integer(4), integer(1000), integer(500)});
    uint64_t start = platform::elapsedMs();
    run("GraphicTransmittanceScrollWait", {integer(4)});
    EXPECT_EQ(faded.transmittance, 1000.0);
    EXPECT_GE(platform::elapsedMs() - start, 500u);
    run("GraphicTransmittanceScroll", {integer(4), integer(0), integer(0)});
    EXPECT_EQ(faded.transmittance, 0.0) << "no time: at once";
}

}  // namespace
}  // namespace qeli::graphics
