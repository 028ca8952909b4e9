#include "graphics/layer_set.h"

#include <gtest/gtest.h>

#include "platform/message_box.h"

namespace qeli::graphics {
namespace {

CellRecord imageCell(int32_t x, int32_t duration, int32_t mode = 0) { return CellRecord{{x, 0, 4, 4, duration, mode, 0, 0}}; }
CellRecord jumpCell(int32_t to) { return CellRecord{{to, 0, 0, 0, 0, 0, 0, 1}}; }
CellRecord separator() { return CellRecord{}; }

// A layer whose graphic carries the given cell table.
Layer& sheet(LayerSet& set, int32_t number, std::vector<CellRecord> records) {
    Layer& layer = set.create(number);
    layer.graphic.create(64, 8);
    layer.graphic.loadCellTable(encodeCellTable(records));
    return layer;
}

std::vector<int32_t> order(const LayerSet& set) {
    std::vector<int32_t> numbers;
    for (const auto& layer : set.layers()) numbers.push_back(layer->number);
    return numbers;
}

TEST(LayerSet, OrderAndSwapWithAMissingPartner) {
    LayerSet set(640, 480);
    set.create(5);
    Layer& one = set.create(1);
    set.create(3);
    EXPECT_EQ(order(set), (std::vector<int32_t>{1, 3, 5}));
    set.swap(1, 7);
    EXPECT_EQ(order(set), (std::vector<int32_t>{3, 5, 7}));
    EXPECT_EQ(set.find(7), &one);
    EXPECT_EQ(set.find(1), nullptr);
    set.swap(3, 7);
    EXPECT_EQ(set.find(3), &one);
    EXPECT_EQ(order(set), (std::vector<int32_t>{3, 5, 7}));
}

TEST(LayerSet, SpriteLimitAndPriorities) {
    platform::clearShownMessageBoxes();
    LayerSet set(640, 480);
    Layer& layer = set.create(20);
    for (int32_t priority : {0, 5, 0}) {
        auto sprite = std::make_unique<Sprite>();
        sprite->priority = priority;
        sprite->number = int32_t(layer.sprites().size());
        ASSERT_TRUE(layer.addSprite(sprite));
    }
    EXPECT_EQ(layer.sprites()[0]->number, 0);
    EXPECT_EQ(layer.sprites()[1]->number, 2) << "the second 0 comes after the first";
    EXPECT_EQ(layer.sprites()[2]->priority, 5);
    while (layer.sprites().size() < 999) {
        auto sprite = std::make_unique<Sprite>();
        ASSERT_TRUE(layer.addSprite(sprite));
    }
    EXPECT_TRUE(platform::shownMessageBoxes().empty());
    EXPECT_TRUE(layer.isFull());
    auto extra = std::make_unique<Sprite>();
    EXPECT_FALSE(layer.addSprite(extra));
    ASSERT_TRUE(extra) << "the caller keeps a sprite that was not added";
    EXPECT_EQ(layer.sprites().size(), 999u);
    auto boxes = platform::shownMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].request.caption, "Sprite Error");
    EXPECT_EQ(boxes[0].request.text, "Sprite Out of Limit\n\nGraphicLayerNumber[20]");
}

// Which cell (by its x) a cell sprite shows after each of `frames` frames of 16 ms.
std::vector<int32_t> cellsOverFrames(int32_t mode, std::vector<CellRecord> records, int frames) {
    LayerSet set(640, 480);
    Layer& source = sheet(set, 1, std::move(records));
    Layer& layer = set.create(2);
    layer.visible = true;
    auto sprite = std::make_unique<Sprite>();
    EXPECT_TRUE(sprite->startCells(&source.graphic, 0, 0, 0, mode, true));
    Sprite* s = sprite.get();
    layer.addSprite(sprite);
    std::vector<int32_t> shown;
    for (int i = 0; i < frames; ++i) {
        set.advance(16);
        shown.push_back(s->source.left);
    }
    return shown;
}

// The first frame (1-based) at which the shown cell differs from the one before.
std::vector<int> switchFrames(const std::vector<int32_t>& shown) {
    std::vector<int> frames;
    for (size_t i = 0; i < shown.size(); ++i)
        if (shown[i] != (i == 0 ? 0 : shown[i - 1])) frames.push_back(int(i) + 1);
    return frames;
}

TEST(Sprite, PlayModeTimings) {
    std::vector<CellRecord> cells{imageCell(0, 100), imageCell(4, 100), imageCell(8, 100)};
    // Mode 2: every 7 frames (112 ms). Mode 102: 112 ms, then 96 ms (the overshoot is carried over).
    EXPECT_EQ(switchFrames(cellsOverFrames(2, cells, 21)), (std::vector<int>{7, 14, 21}));
    EXPECT_EQ(switchFrames(cellsOverFrames(102, cells, 20)), (std::vector<int>{7, 13, 19}));
    auto backward = cellsOverFrames(3, cells, 7);
    EXPECT_EQ(backward.back(), 8) << "backward wraps to the last cell";
    auto stopping = cellsOverFrames(4, cells, 30);
    EXPECT_EQ(stopping.back(), 8);
    EXPECT_EQ(switchFrames(stopping).size(), 2u) << "forward-stop stays on the last cell";
    EXPECT_EQ(switchFrames(cellsOverFrames(0, cells, 20)).size(), 0u);
}

TEST(Sprite, JumpsSingleCellsAndCharacterSwitches) {
    // (A, jump to 0): A for ever.
    auto looped = cellsOverFrames(2, {imageCell(12, 50), jumpCell(0)}, 40);
    EXPECT_EQ(switchFrames(looped), (std::vector<int>{1}));
    EXPECT_EQ(looped.back(), 12);
    LayerSet set(640, 480);
    Layer& source = sheet(set, 1, {imageCell(4, 10), separator(), imageCell(8, 30), imageCell(12, 30)});
    Sprite single;
    ASSERT_TRUE(single.startCells(&source.graphic, 0, 0, 0, 2, true));
    EXPECT_EQ(single.countdown, INT32_MAX) << "a single-cell character never counts down";
    EXPECT_FALSE(single.startCells(&source.graphic, 2, 0, 0, 2, true));
    EXPECT_EQ(single.source.left, 4) << "a refused start changes nothing";

    platform::clearShownMessageBoxes();
    single.setCharacter(1);
    EXPECT_EQ(single.source.left, 8);
    single.setCharacter(9);
    EXPECT_TRUE(single.cells.empty());
    auto boxes = platform::shownMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].request.caption, "Sprite CharacterNomber Error");
    EXPECT_EQ(boxes[0].request.text, "SurfaceFileName:\n SpriteCharacterNomber :9\n");
}

TEST(LayerSet, ScrollFadeZoomAndRotation) {
    LayerSet set(640, 480);
    Layer& layer = set.create(1);
    layer.visible = true;
    layer.x = 195;
    layer.scrollState = 2;
    layer.scrollVelocityX = 1.0;
    layer.scrollMinX = 100;
    layer.scrollMaxX = 200;
    set.advance(10);
    EXPECT_DOUBLE_EQ(layer.x, 105) << "a looping scroll wraps by the box width";
    layer.scrollState = 1;
    layer.x = 195;
    set.advance(10);
    EXPECT_DOUBLE_EQ(layer.x, 200);
    EXPECT_EQ(layer.scrollState, 0);

    layer.transmittanceRate = 0.5;
    layer.transmittanceTarget = 1000;
    for (int i = 0; i < 200; ++i) set.advance(16);
    EXPECT_EQ(layer.transmittance, 1000);
    EXPECT_EQ(layer.transmittanceRate, 0);
    EXPECT_EQ(int32_t(layer.transmittance * 0.255), 255);

    layer.zoomScrolling = true;
    layer.zoomRateX = layer.zoomRateY = 0.01;
    layer.zoomTargetX = 2.0;
    layer.zoomTargetY = 1.0;
    set.advance(50);
    EXPECT_TRUE(layer.zoomed);
    EXPECT_DOUBLE_EQ(layer.zoomX, 1.5);
    set.advance(500);
    EXPECT_DOUBLE_EQ(layer.zoomX, 2.0);
    EXPECT_FALSE(layer.zoomScrolling);
    EXPECT_TRUE(layer.zoomed);

    layer.rotationMode = 1;
    layer.rotationRate = -2;
    layer.rotationTarget = -100;
    set.speedFactor = 2.0;
    set.advance(20);
    EXPECT_DOUBLE_EQ(layer.angle, -80);
    set.advance(20);
    EXPECT_DOUBLE_EQ(layer.angle, -100);
    EXPECT_EQ(layer.rotationMode, 0);
}

TEST(LayerSet, FiltersApplyInTheirFixedOrderAndRemovalWithdrawsSources) {
    LayerSet set(640, 480);
    Layer& layer = sheet(set, 1, {imageCell(0, 10)});
    layer.graphic.fill(0x0000FF);  // pure red
    layer.subtractColour = 0x000010;
    layer.addColour = 0x000010;
    layer.rebuildFilters();
    EXPECT_EQ(layer.graphic.pixel(0, 0), 0x00EF0000u) << "the add runs first and saturates";

    Layer& other = set.create(2);
    auto sprite = std::make_unique<Sprite>();
    ASSERT_TRUE(sprite->startCells(&layer.graphic, 0, 3, 4, 2, true));
    Sprite* s = sprite.get();
    other.addSprite(sprite);
    set.remove(1);
    ASSERT_EQ(other.sprites().size(), 1u);
    EXPECT_EQ(s->sourceSurface, nullptr);
    EXPECT_EQ(s->x, 3);
}

TEST(LayerRecord, SaveAndRestoreRoundTrip) {
    std::vector<uint8_t> file{'h', 'e', 'a', 'd'};
    {
        LayerSet set(640, 480);
        Layer& source = sheet(set, 3, {imageCell(0, 40), imageCell(4, 40)});
        Layer& layer = set.create(7);
        layer.visible = true;
        layer.x = 12.7;
        layer.y = -3;
        layer.transmittance = 200;
        layer.transmittanceRate = 1;
        layer.transmittanceTarget = 600;
        layer.zoomed = true;
        layer.zoomX = 1.5;
        layer.angle = 250.5;
        layer.waveActive = true;
        layer.waveAmplitude = 9;
        layer.sepia = true;
        layer.addColour = 0x102030;
        layer.textRect = {1, 2, 3, 4};
        auto sprite = std::make_unique<Sprite>();
        ASSERT_TRUE(sprite->startCells(&source.graphic, 0, 5, 6, 102, true));
        sprite->type = SpriteType::Cell;
        sprite->number = 42;
        sprite->numberValid = true;
        layer.addSprite(sprite);
        layer.saveTo(file);
        ASSERT_EQ(file.size(), 4 + 304 + 64 + 120u);
        EXPECT_EQ(file[4], 304 & 0xFF);
    }
    LayerSet set(640, 480);
    Layer& layer = set.create(7);
    ASSERT_TRUE(layer.restoreFrom(file, 4));
    EXPECT_EQ(layer.x, 12);
    EXPECT_EQ(layer.transmittance, 600) << "a running fade is saved at its target";
    EXPECT_EQ(layer.zoomX, 1.5);
    EXPECT_EQ(layer.angle, 250.5);
    EXPECT_TRUE(layer.sepia);
    EXPECT_EQ(layer.addColour, 0x102030);
    EXPECT_EQ(layer.textRect.right, 3);
    ASSERT_EQ(layer.sprites().size(), 1u);
    const Sprite& sprite = *layer.sprites()[0];
    EXPECT_EQ(sprite.number, 42);
    EXPECT_EQ(sprite.playMode, 102);
    EXPECT_EQ(sprite.cells.size(), 2u);
    ASSERT_NE(set.find(3), nullptr) << "the sprite's source layer is made again";
    EXPECT_EQ(sprite.sourceSurface, &set.find(3)->graphic);

    std::vector<uint8_t> again{'h', 'e', 'a', 'd'};
    layer.saveTo(again);
    EXPECT_EQ(again, file) << "a restored layer saves the same bytes";
    EXPECT_FALSE(layer.restoreFrom(file, file.size() - 10));
}

}  // namespace
}  // namespace qeli::graphics
