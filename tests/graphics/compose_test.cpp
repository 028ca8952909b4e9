// Software composition: transparency from transmittance, filter layers, zoomed and rotated layers,
// sprites and the cache.
#include <gtest/gtest.h>

#include "graphics/colour_filters.h"
#include "graphics/compose.h"
#include "graphics/layer_transform.h"

namespace qeli::graphics {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

// A visible layer with an opaque graphic of one colour (pixel value 0x00RRGGBB).
Layer& solidLayer(LayerSet& set, int32_t number, int32_t width, int32_t height, uint32_t pixel, double x = 0,
                  double y = 0) {
    Layer& layer = set.create(number);
    layer.graphic.create(width, height);
    for (int32_t row = 0; row < height; ++row) std::fill_n(layer.graphic.colourRow(row), width, pixel);
    layer.x = x;
    layer.y = y;
    layer.visible = true;
    return layer;
}

struct Frame {
    Surface surface;
    Frame(int32_t w = 64, int32_t h = 48) {
        surface.create(w, h);
        for (int32_t row = 0; row < h; ++row) std::fill_n(surface.colourRow(row), w, kWhite);
    }
    uint32_t at(int32_t x, int32_t y) const { return surface.pixel(x, y) & 0xFFFFFF; }
    void compose(LayerSet& set) { graphics::compose(set, surface, {0, 0, surface.width(), surface.height()}); }
};

TEST(Compose, TransmittanceDecidesTransparency) {
    struct Case {
        double transmittance;
        int32_t transparency;
    };
    for (Case c : {Case{-5, 0}, Case{0, 0}, Case{500, 127}, Case{999, 254}, Case{1000, 255}, Case{2000, 255}})
        EXPECT_EQ(transparencyOf(c.transmittance), c.transparency) << c.transmittance;

    LayerSet set(64, 48);
    Layer& under = solidLayer(set, 1, 64, 48, 0x0000FF);
    Layer& layer = solidLayer(set, 2, 32, 48, 0xFF0000);
    // A sprite that shows the lower layer's picture on the upper layer.
    auto sprite = std::make_unique<Sprite>();
    sprite->visible = true;
    sprite->sourceSurface = &under.graphic;
    sprite->source = {0, 0, 8, 8};
    sprite->x = 40;
    sprite->width = sprite->height = 8;
    ASSERT_TRUE(layer.addSprite(sprite));
    solidLayer(set, 0, 64, 48, 0x00FF00);

    layer.transmittance = -5;
    Frame opaque;
    opaque.compose(set);
    EXPECT_EQ(opaque.at(10, 10), 0xFF0000u) << "negative transmittance draws fully opaque";

    layer.transmittance = 1000;
    under.visible = false;
    Frame hidden;
    hidden.compose(set);
    EXPECT_EQ(hidden.at(10, 10), 0x00FF00u) << "the layer is not drawn";
    EXPECT_EQ(hidden.at(42, 2), 0x00FF00u) << "nor are its sprites";
    EXPECT_EQ(layer.transparency, 255);
}

TEST(Compose, FilterLayerFiltersOnlyWhatLiesBelow) {
    LayerSet set(64, 48);
    solidLayer(set, 40, 64, 48, 0x4080C0);
    solidLayer(set, 60, 16, 16, 0x20A040);
    Layer& filter = set.create(50);
    filter.visible = true;
    filter.graphic.setKind(SurfaceKind(kSepiaLayer));
    Frame frame;
    frame.compose(set);
    EXPECT_EQ(frame.at(30, 30), sepiaPixel(0x4080C0) & 0xFFFFFF) << "below 50: sepia";
    EXPECT_EQ(frame.at(5, 5), 0x20A040u) << "above 50: unchanged";

    filter.visible = false;
    Frame unfiltered;
    unfiltered.compose(set);
    EXPECT_EQ(unfiltered.at(30, 30), 0x4080C0u) << "a hidden filter layer filters nothing";
}

TEST(Compose, RotatedCopyIsASquareOverTheDiagonal) {
    EXPECT_EQ(rotatedSide(300, 400), 501);
    LayerSet set(800, 800);
    Layer& layer = solidLayer(set, 1, 300, 400, 0xFF0000, 200, 200);
    layer.angle = 500;  // 90 degrees
    layer.rotationCentreX = 150;
    layer.rotationCentreY = 200;
    Frame frame(800, 800);
    frame.compose(set);
    EXPECT_EQ(layer.rotatedCopy.width(), 501);
    EXPECT_EQ(layer.rotatedCopy.height(), 501);
    // Turned about its centre (350, 400 on the frame), the 300 x 400 picture lies 400 wide, 300 high.
    EXPECT_EQ(frame.at(155, 400), 0xFF0000u);
    EXPECT_EQ(frame.at(545, 400), 0xFF0000u);
    EXPECT_EQ(frame.at(350, 255), 0xFF0000u);
    EXPECT_EQ(frame.at(350, 230), kWhite) << "no longer covered once turned";
    EXPECT_EQ(frame.at(210, 210), kWhite) << "outside the picture the square is transparent";

    const Surface* made = &layer.rotatedCopy;
    const uint32_t* pixels = made->colourRow(0);
    Frame again(800, 800);
    again.compose(set);
    EXPECT_EQ(layer.rotatedCopy.colourRow(0), pixels) << "an unchanged angle reuses the copy";
}

TEST(Compose, ZoomKeepsItsCentreInPlace) {
    LayerSet set(64, 48);
    Layer& layer = solidLayer(set, 1, 10, 10, 0x0000FF, 20, 20);
    layer.zoomed = true;
    layer.zoomX = layer.zoomY = 2.0;
    layer.zoomCentreX = layer.zoomCentreY = 5;
    Frame frame;
    frame.compose(set);
    EXPECT_EQ(layer.zoomedCopy.width(), 20);
    EXPECT_EQ(frame.at(15, 15), 0x0000FFu);
    EXPECT_EQ(frame.at(34, 34), 0x0000FFu);
    EXPECT_EQ(frame.at(14, 14), kWhite);
    EXPECT_EQ(frame.at(35, 35), kWhite);
}

TEST(Compose, CacheStandsForTheLayersUpToItsNumber) {
    LayerSet set(64, 48);
    Layer& low = solidLayer(set, 1, 64, 48, 0x0000FF);
    LayerCache cache;
    ASSERT_TRUE(makeCache(cache, set, 1, 64, 48));
    low.graphic.fill(0x00FF00);  // changes after caching are not seen
    Frame frame;
    compose(set, frame.surface, {0, 0, 64, 48}, std::numeric_limits<int32_t>::max(),
            std::numeric_limits<int32_t>::min(), 0, &cache);
    EXPECT_EQ(frame.at(1, 1), 0x0000FFu);
}

TEST(Compose, NothingWhileDrawingIsSuspendedOrTheClipIsEmpty) {
    LayerSet set(64, 48);
    solidLayer(set, 1, 64, 48, 0x0000FF);
    Frame frame;
    EXPECT_FALSE(compose(set, frame.surface, {10, 10, 10, 20}));
    set.drawingSuspended = true;
    EXPECT_FALSE(compose(set, frame.surface, {0, 0, 64, 48}));
    EXPECT_EQ(frame.at(1, 1), kWhite);
}

}  // namespace
}  // namespace qeli::graphics
