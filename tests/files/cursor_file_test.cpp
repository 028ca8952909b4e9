#include <gtest/gtest.h>

#include "files/archive_writer.h"
#include "files/cursor_file.h"
#include "support/cursor_writer.h"
#include "support/engine_fixture.h"
#include "support/files_helpers.h"

namespace qeli::files {
namespace {

using testing::CursorImageSpec;

// A w x h image: opaque red on the left half, transparent on the right, a white pixel at (0, 0).
CursorImageSpec halfRed(int w, int h, int bits) {
    CursorImageSpec image{w, h, 3, 4, bits, std::vector<uint8_t>(static_cast<size_t>(w) * h * 4)};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w / 2; ++x) {
            uint8_t* px = &image.rgba[(static_cast<size_t>(y) * w + x) * 4];
            px[0] = 255, px[3] = 255;
        }
    image.rgba[0] = image.rgba[1] = image.rgba[2] = 255;
    return image;
}

const uint8_t* pixel(const platform::CursorFrame& f, int x, int y) {
    return &f.rgba[(static_cast<size_t>(y) * f.width + x) * 4];
}

TEST(CursorFileTest, DecodesStillCursorsOfBothDepths) {
    for (int bits : {32, 1}) {
        auto cursor = parseCursorFile(testing::buildCursorFile({halfRed(32, 32, bits)}));
        ASSERT_TRUE(cursor) << bits;
        ASSERT_EQ(cursor->frames.size(), 1u);
        ASSERT_EQ(cursor->steps.size(), 1u);
        const auto& f = cursor->frames[0];
        EXPECT_EQ(f.width, 32);
        EXPECT_EQ(f.hotX, 3);
        EXPECT_EQ(f.hotY, 4);
        EXPECT_EQ(pixel(f, 0, 0)[1], 255) << "white at the top left: rows are stored bottom-up";
        EXPECT_EQ(pixel(f, 31, 31)[3], 0) << "transparent right half";
        EXPECT_EQ(pixel(f, 1, 31)[3], 255);
        // A 1-bit image has only black and white: the writer made the red half white there.
        EXPECT_EQ(pixel(f, 1, 31)[0], 255);
        EXPECT_EQ(pixel(f, 1, 31)[1], bits == 32 ? 0 : 255);
    }
}

TEST(CursorFileTest, PrefersTheImageNearestThirtyTwoPixels) {
    auto cursor = parseCursorFile(testing::buildCursorFile({halfRed(16, 16, 32), halfRed(32, 32, 32)}));
    ASSERT_TRUE(cursor);
    EXPECT_EQ(cursor->frames[0].width, 32);
    auto icon = parseCursorFile(testing::buildCursorFile({halfRed(16, 16, 32)}, 1));
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->frames[0].hotX, 8) << "icons used as cursors point at their middle";
}

TEST(CursorFileTest, DecodesAnimatedCursorsWithRatesAndSequence) {
    auto a = testing::buildCursorFile({halfRed(32, 32, 32)});
    auto b = testing::buildCursorFile({halfRed(32, 32, 1)});
    auto ani = parseCursorFile(testing::buildAnimatedCursor({a, b}, 3, 6, {6, 12, 3}, {1, 0, 1}));
    ASSERT_TRUE(ani);
    ASSERT_EQ(ani->frames.size(), 2u);
    ASSERT_EQ(ani->steps.size(), 3u);
    EXPECT_EQ(ani->steps[0].frame, 1u);
    EXPECT_EQ(ani->steps[0].durationMs, 100u);  // rates are in 1/60 s
    EXPECT_EQ(ani->steps[1].frame, 0u);
    EXPECT_EQ(ani->steps[1].durationMs, 200u);
    EXPECT_EQ(ani->steps[2].durationMs, 50u);

    auto plain = parseCursorFile(testing::buildAnimatedCursor({a, b}, 2, 30, {}, {}));
    ASSERT_TRUE(plain);
    ASSERT_EQ(plain->steps.size(), 2u);
    EXPECT_EQ(plain->steps[1].frame, 1u);
    EXPECT_EQ(plain->steps[1].durationMs, 500u);
}

TEST(CursorFileTest, RejectsWhatIsNoCursor) {
    auto good = testing::buildCursorFile({halfRed(32, 32, 32)});
    std::vector<uint8_t> truncated(good.begin(), good.begin() + 60);
    EXPECT_FALSE(parseCursorFile(truncated));
    EXPECT_FALSE(parseCursorFile(testing::bytesOf("not a cursor at all")));
    // Every step points at a frame that does not exist.
    EXPECT_FALSE(parseCursorFile(testing::buildAnimatedCursor({good}, 2, 6, {}, {5, 7})));
}

class CursorLoadTest : public testing::EngineTest {};

TEST_F(CursorLoadTest, LoadsACursorFromAnArchive) {
    testing::writeFile("data01.qlc",
                       buildArchive({{"cursor\\arrow.cur", testing::buildCursorFile({halfRed(32, 32, 32)})}}));
    EXPECT_TRUE(loadCursorFile("CURSOR\\Arrow.cur"));
    EXPECT_FALSE(loadCursorFile("cursor\\missing.cur"));
    testing::writeFile("broken.ani", "RIFF");
    EXPECT_FALSE(loadCursorFile("broken.ani"));
}

}  // namespace
}  // namespace qeli::files
