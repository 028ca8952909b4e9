#include "graphics/surface.h"

#include <gtest/gtest.h>

#include "graphics/colour_filters.h"

namespace qeli::graphics {
namespace {

TEST(Surface, RowsAreStoredBottomUp) {
    Surface s;
    ASSERT_TRUE(s.create(2, 3));
    EXPECT_EQ(s.kind(), SurfaceKind::Opaque);
    s.setPixel(0, 2, 0x123);  // bottom-left
    EXPECT_EQ(s.colourRow(0)[0], 0x123u);
    EXPECT_EQ(s.colourRow(1), s.colourRow(0) + 2) << "pitch is exactly the width";
}

TEST(Surface, RefusesImpossibleSizesAndStaysEmpty) {
    Surface s;
    for (auto [w, h] : {std::pair{0, 5}, {5, -1}, {kMaxSurfaceSide + 1, 1}, {kMaxSurfaceSide, kMaxSurfaceSide}}) {
        EXPECT_FALSE(s.create(w, h));
        EXPECT_EQ(s.kind(), SurfaceKind::Empty);
        EXPECT_FALSE(s.hasPixels());
    }
}

TEST(Surface, FillSwapsColourRefIntoPixelOrder) {
    Surface s;
    ASSERT_TRUE(s.create(3, 2));
    ASSERT_TRUE(s.fill(0x00112233));
    EXPECT_EQ(s.pixel(2, 1), 0x00332211u);
    ASSERT_TRUE(s.fillRect(-1, 1, 2, 5, 0x000000FF));
    EXPECT_EQ(s.pixel(0, 1), 0x00FF0000u);
    EXPECT_EQ(s.pixel(1, 1), 0x00332211u);
    EXPECT_EQ(s.pixel(0, 0), 0x00332211u);
    s.setKind(SurfaceKind::ColourKey);
    EXPECT_FALSE(s.fillRect(0, 0, 3, 2, 0));
    EXPECT_EQ(s.pixel(2, 1), 0x00332211u);
}

TEST(Surface, ClearAlphaImageOnlyForKindsThatUseIt) {
    Surface s;
    ASSERT_TRUE(s.create(2, 2));
    ASSERT_TRUE(s.createAlphaImage());
    for (SurfaceKind kind : {SurfaceKind::Opaque, SurfaceKind::ColourKey}) {
        s.setKind(kind);
        EXPECT_FALSE(s.clearAlphaImage());
        EXPECT_EQ(s.alphaPixel(1, 1), 0u);
    }
    s.setKind(SurfaceKind::Additive);
    EXPECT_TRUE(s.clearAlphaImage());
    EXPECT_EQ(s.alphaPixel(1, 1), 0xFFFFFFFFu);
}

TEST(Surface, EncodeBmpPadsRowsToFourBytes) {
    Surface s;
    ASSERT_TRUE(s.create(3, 2));
    s.fill(0x00030201);
    s.setPixel(0, 1, 0x00AABBCC);  // bottom-left: first pixel written
    std::vector<uint8_t> bmp = s.encodeBmp();
    ASSERT_EQ(bmp.size(), 54u + 2 * 12);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[2] | bmp[3] << 8, 78);
    EXPECT_EQ(bmp[10], 54);
    EXPECT_EQ(bmp[28], 24);
    EXPECT_EQ(std::vector<uint8_t>(bmp.begin() + 54, bmp.begin() + 66),
              (std::vector<uint8_t>{0xCC, 0xBB, 0xAA, 3, 2, 1, 3, 2, 1, 0, 0, 0}));
}

TEST(ColourFilters, KnownValues) {
    EXPECT_EQ(monochromePixel(0x00FF0000), 76u * 0x010101);
    EXPECT_EQ(monochromePixel(0x0000FF00), 153u * 0x010101);
    EXPECT_EQ(monochromePixel(0x000000FF), 25u * 0x010101);
    EXPECT_EQ(sepiaPixel(0), uint32_t(20 << 16));
    EXPECT_EQ(sepiaPixel(0x00FFFFFF), uint32_t(255 << 16 | 252 << 8 | 213));
}

TEST(ColourFilters, RectangleIsClippedAndColoursSaturate) {
    Surface s;
    ASSERT_TRUE(s.create(3, 1));
    s.fill(0x000000FF);  // pure red
    s.setPixel(2, 0, 0xAB0000FF);
    applyNegative(s, Rect{-5, 0, 1, 9});
    EXPECT_EQ(s.pixel(0, 0), 0x0000FFFFu);
    EXPECT_EQ(s.pixel(1, 0), 0x00FF0000u);
    applyNegative(s, Rect{2, 0, 3, 1});
    EXPECT_EQ(s.pixel(2, 0), 0xABFFFF00u) << "negative keeps the spare byte";
    s.fill(0x000000FF);
    addColour(s, 0x000010);
    subtractColour(s, 0x000010);
    EXPECT_EQ(s.pixel(0, 0), 0x00EF0000u) << "the add saturates first";
}

}  // namespace
}  // namespace qeli::graphics
