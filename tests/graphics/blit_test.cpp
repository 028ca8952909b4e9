#include "graphics/blit.h"

#include <gtest/gtest.h>

#include <random>

#include "graphics/pixel_rows.h"

namespace qeli::graphics {
namespace {

Surface solid(int32_t width, int32_t height, uint32_t pixel, SurfaceKind kind = SurfaceKind::Opaque) {
    Surface s;
    EXPECT_TRUE(s.create(width, height));
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) s.setPixel(x, y, pixel);
    s.setKind(kind);
    return s;
}

void fillAlpha(Surface& s, uint32_t value) {
    ASSERT_TRUE(s.createAlphaImage());
    for (int32_t y = 0; y < s.height(); ++y)
        for (int32_t x = 0; x < s.width(); ++x) s.setAlphaPixel(x, y, value);
}

TEST(Blit, NegativeDestinationDrawsTheVisiblePartShifted) {
    Surface dst = solid(4, 4, 0);
    Surface src = solid(3, 3, 0);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 3; ++x) src.setPixel(x, y, uint32_t(10 * y + x + 1));
    blit(dst, -1, -2, src, 0, 0, 3, 3, 0);
    EXPECT_EQ(dst.pixel(0, 0), 22u);  // source (1, 2)
    EXPECT_EQ(dst.pixel(1, 0), 23u);
    EXPECT_EQ(dst.pixel(2, 0), 0u);
    EXPECT_EQ(dst.pixel(0, 1), 0u);
}

TEST(Blit, FullWidthRowsLandOnTheirRows) {
    Surface src = solid(3, 3, 0);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 3; ++x) src.setPixel(x, y, uint32_t(10 * y + x + 1));
    Surface dst = solid(3, 5, 0);
    blit(dst, 0, 2, src, 0, 1, 3, 3, 0);  // source rows 1 and 2 to destination rows 2 and 3
    EXPECT_EQ(dst.pixel(0, 1), 0u);
    EXPECT_EQ(dst.pixel(0, 2), 11u);
    EXPECT_EQ(dst.pixel(2, 3), 23u);
    EXPECT_EQ(dst.pixel(2, 4), 0u);
}

TEST(Blit, ClipRectangleLimitsTheDrawing) {
    Surface dst = solid(8, 8, 0);
    Surface src = solid(8, 8, 0x123456);
    blitClipped(dst, 0, 0, src, 0, 0, 8, 8, Rect{2, 3, 4, 5}, 0);
    int drawn = 0;
    for (int32_t y = 0; y < 8; ++y)
        for (int32_t x = 0; x < 8; ++x) drawn += dst.pixel(x, y) == 0x123456;
    EXPECT_EQ(drawn, 4);
    EXPECT_EQ(dst.pixel(2, 3), 0x123456u);
    EXPECT_EQ(dst.pixel(3, 4), 0x123456u);
}

TEST(Blit, OpaqueTransparencyWeights) {
    Surface src = solid(1, 1, 0xFF000000u | 0x00C86400);  // red 200, green 100, blue 0
    Surface dst = solid(1, 1, 0x000000FF);
    blit(dst, 0, 0, src, 0, 0, 1, 1, 0);
    EXPECT_EQ(dst.pixel(0, 0), 0xFFC86400u) << "a plain copy keeps the spare byte";
    dst = solid(1, 1, 0x000000FF);
    blit(dst, 0, 0, src, 0, 0, 1, 1, 255);  // weight 254: the source still shows faintly
    EXPECT_EQ(dst.pixel(0, 0), 0x000100FDu);
    dst = solid(1, 1, 0x000000FF);
    blit(dst, 0, 0, src, 0, 0, 1, 1, 128);  // weight 127: 200 + floor(-200 * 127 / 256) = 100
    EXPECT_EQ(dst.pixel(0, 0), uint32_t(100 << 16 | 50 << 8 | 126));
}

TEST(Blit, AlphaImageWhiteKeepsAndBlackCopies) {
    Surface src = solid(5, 2, 0x00336699, SurfaceKind::Alpha);
    fillAlpha(src, 0x00FFFFFF);
    Surface dst = solid(5, 2, 0x00ABCDEF);
    blit(dst, 0, 0, src, 0, 0, 5, 2, 0);
    EXPECT_EQ(dst.pixel(4, 1), 0x00ABCDEFu);
    fillAlpha(src, 0);
    blit(dst, 0, 0, src, 0, 0, 5, 2, 0);
    EXPECT_EQ(dst.pixel(4, 1), 0x00336699u);
}

TEST(Blit, AlphaImageWeightsEachChannelByItsOwnByte) {
    Surface src = solid(1, 1, 0x00000000, SurfaceKind::Alpha);
    fillAlpha(src, 0x00FF7F00);  // red transparent, green half, blue opaque
    Surface dst = solid(1, 1, 0x00FFFFFF);
    blit(dst, 0, 0, src, 0, 0, 1, 1, 0);
    EXPECT_EQ(dst.pixel(0, 0), 0x00FF7F00u);  // weights t + 1: 256, 128, 1
}

TEST(Blit, ColourKeyFromTheBottomLeftPixelIgnoresTheSpareByte) {
    Surface src = solid(3, 2, 0x00FF00FF, SurfaceKind::ColourKey);
    src.setPixel(0, 1, 0x77FF00FF);  // bottom-left, the key
    src.setPixel(1, 0, 0x00112233);
    src.setPixel(2, 0, 0x99FF00FF);
    Surface dst = solid(3, 2, 0x00000001);
    blit(dst, 0, 0, src, 0, 0, 3, 2, 100);
    EXPECT_EQ(dst.pixel(1, 0), 0x00112233u);
    EXPECT_EQ(dst.pixel(2, 0), 0x00000001u);
    EXPECT_EQ(dst.pixel(0, 1), 0x00000001u);
}

TEST(Blit, AdditiveAndSubtractiveSelectByTheMask) {
    struct Case {
        SurfaceKind kind;
        uint32_t mask, expected;
    } cases[] = {
        {SurfaceKind::Additive, 0x00FFFFFF, 0x00805030},
        {SurfaceKind::Additive, 0x00000000, 0x00A0A0A0},
        {SurfaceKind::Additive, 0x00404040, 0x00FFF0D0},  // the grey level does not weight the sum
        {SurfaceKind::Subtractive, 0x00808080, 0x00210000},
        {SurfaceKind::Subtractive, 0xAAFFFFFF, 0x00805030},  // only the colour bits say "skip"
    };
    for (const Case& c : cases) {
        Surface src = solid(1, 1, 0x00A0A0A0, c.kind);
        fillAlpha(src, c.mask);
        Surface dst = solid(1, 1, 0x00805030);
        blit(dst, 0, 0, src, 0, 0, 1, 1, 0);
        EXPECT_EQ(dst.pixel(0, 0), c.expected) << std::hex << c.mask;
    }
}

TEST(Blit, ShadowDarkensUnderTheShape) {
    Surface dst = solid(2, 1, 0x00804020);
    Surface opaque = solid(1, 1, 0x00FFFFFF);
    blitShadow(dst, 0, 0, opaque, 0, 0, 1, 1, 0);
    EXPECT_EQ(dst.pixel(0, 0), 0u);
    dst = solid(2, 1, 0x00804020);
    blitShadow(dst, 0, 0, opaque, 0, 0, 1, 1, 129);  // weight 128: halves
    EXPECT_EQ(dst.pixel(0, 0), 0x00402010u);
    Surface keyed = solid(2, 1, 0x00FF00FF, SurfaceKind::ColourKey);
    keyed.setPixel(1, 0, 0x00123456);
    dst = solid(2, 1, 0x00804020);
    blitShadowClipped(dst, 0, 0, keyed, 0, 0, 2, 1, Rect{0, 0, 2, 1}, 0);
    EXPECT_EQ(dst.pixel(0, 0), 0x00804020u);
    EXPECT_EQ(dst.pixel(1, 0), 0u);
}

TEST(Blit, ThroughMaskBlendsWithTheOldPixelPerChannel) {
    Surface mask = solid(3, 1, 0x00FFFFFF);
    mask.setPixel(1, 0, 0);
    mask.setPixel(2, 0, 0x00FF8000);
    Surface src = solid(3, 1, 0x00FFFFFF);
    Surface dst = solid(3, 1, 0x00000000);
    blitThroughMask(dst, 0, 0, src, 0, 0, 3, 1, 0, mask);
    EXPECT_EQ(dst.pixel(0, 0), 0x00FFFFFFu);
    EXPECT_EQ(dst.pixel(1, 0), 0u);
    EXPECT_EQ(dst.pixel(2, 0), 0x00FE7F00u);
}

TEST(StretchBlit, KeepsFlatColoursAndAveragesWhenShrinking) {
    Surface src = solid(4, 4, 0x00204060);
    Surface dst = solid(10, 10, 0);
    EXPECT_TRUE(stretchBlit(dst, 1, 1, 8, 8, src, 0, 0, 4, 4));
    EXPECT_EQ(dst.pixel(1, 1), 0x00204060u);
    EXPECT_EQ(dst.pixel(8, 8), 0x00204060u);
    EXPECT_EQ(dst.pixel(9, 9), 0u);
    Surface stripes = solid(4, 1, 0);
    stripes.setPixel(1, 0, 0x00FFFFFF);
    stripes.setPixel(3, 0, 0x00FFFFFF);
    Surface half = solid(2, 1, 0);
    EXPECT_TRUE(stretchBlit(half, 0, 0, 2, 1, stripes, 0, 0, 4, 1));
    EXPECT_EQ(half.pixel(0, 0), 0x00808080u);
    Surface alpha = solid(1, 1, 0, SurfaceKind::Alpha);
    EXPECT_FALSE(stretchBlit(dst, 0, 0, 2, 2, alpha, 0, 0, 1, 1));
}

// The vector blend is the one every frame uses; it must give the reference's bytes on any data,
// every row length (for the tails), and with and without transparency.
TEST(AlphaBlendRow, VectorPathsMatchTheScalarReference) {
    std::mt19937 random(6);
    for (bool sse2Only : {false, true}) {
        limitAlphaBlendToSse2(sse2Only);
        for (int32_t count : {1, 3, 4, 7, 8, 9, 31, 640}) {
            size_t n = static_cast<size_t>(count);
            std::vector<uint32_t> src(n), alpha(n), dst(n);
            for (uint32_t transparency : {0u, 1u, 77u, 254u, 255u}) {
                for (size_t i = 0; i < n; ++i) src[i] = random(), alpha[i] = random(), dst[i] = random();
                if (count > 2) alpha[0] = 0xFFFFFFFF, alpha[1] = 0;
                std::vector<uint32_t> expected = dst;
                blendAlphaRowScalar(expected.data(), src.data(), alpha.data(), count, transparency);
                blendAlphaRow(dst.data(), src.data(), alpha.data(), count, transparency);
                ASSERT_EQ(dst, expected) << alphaBlendPath() << " count " << count << " g " << transparency;
            }
        }
    }
    limitAlphaBlendToSse2(false);
}

TEST(AlphaBlendRow, UniformVectorPathMatchesTheScalarReference) {
    std::mt19937 random(7);
    std::vector<uint32_t> src(67), dst(67);
    for (uint32_t weight : {1u, 2u, 128u, 254u}) {
        for (size_t i = 0; i < src.size(); ++i) src[i] = random(), dst[i] = random();
        std::vector<uint32_t> expected = dst;
        blendUniformRowScalar(expected.data(), src.data(), 67, weight);
        blendUniformRow(dst.data(), src.data(), 67, weight);
        ASSERT_EQ(dst, expected) << weight;
    }
}

}  // namespace
}  // namespace qeli::graphics
