#include "graphics/bmp_decoder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "graphics/png_decoder.h"
#include "support/picture_writer.h"

namespace qeli::graphics {
namespace {

using testing::BmpSpec;
using testing::bmpFile;

std::vector<uint8_t> readFixture(const std::string& name) {
    std::ifstream in(std::string(QELI_SOURCE_DIR) + "/tests/graphics/fixtures/bmp/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void expectSameColours(const DecodedImage& actual, const DecodedImage& expected, const std::string& what) {
    ASSERT_EQ(actual.width, expected.width) << what;
    ASSERT_EQ(actual.height, expected.height) << what;
    for (size_t i = 0; i < actual.pixels.size(); ++i)
        ASSERT_EQ(actual.pixels[i] & 0xFFFFFF, expected.pixels[i] & 0xFFFFFF) << what << " pixel " << i;
}

// Files written by another program, in every depth, compare with the PNG that program decoded them to.
TEST(BmpDecoder, FilesFromAnotherWriterMatchTheirPngTwins) {
    for (const char* name : {"palette1", "palette4", "palette8", "rle8", "fields555", "fields565", "rgb24",
                             "fields32", "core24", "v5rgb24"}) {
        auto bmp = decodeBmp(readFixture(std::string(name) + ".bmp"));
        auto png = decodePng(readFixture(std::string(name) + ".png"));
        ASSERT_TRUE(bmp) << name;
        ASSERT_TRUE(png) << name;
        expectSameColours(*bmp, *png, name);
    }
}

TEST(BmpDecoder, TopDownFilesComeOutBottomUp) {
    for (const char* name : {"rgb24", "palette4", "fields565"}) {
        std::vector<uint8_t> file = readFixture(std::string(name) + ".bmp");
        auto flipped = decodeBmp(testing::topDownCopy(file));
        ASSERT_TRUE(flipped) << name;
        expectSameColours(*flipped, *decodeBmp(file), name);
    }
}

TEST(BmpDecoder, Rle4RunsDeltasAndRunsPastTheRow) {
    BmpSpec spec;
    spec.width = 4;
    spec.height = 2;
    spec.bitCount = 4;
    spec.compression = 2;
    spec.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    // Bottom row: a run of 6 alternating 1,2 (cut to the 4 pixels of the row), end of row.
    // Top row: delta 1 right, absolute run of 3 (3, 1, 2) padded to 16 bits, end of picture.
    spec.pixels = {6, 0x12, 0, 0, 0, 2, 1, 0, 0, 3, 0x31, 0x20, 0, 1};
    auto image = decodeBmp(bmpFile(spec));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels, (std::vector<uint32_t>{0xFF0000, 0x00FF00, 0xFF0000, 0x00FF00,  // bottom
                                                    0, 0x0000FF, 0xFF0000, 0x00FF00}));
}

TEST(BmpDecoder, SixteenBitsWithoutFieldsIs555) {
    BmpSpec spec;
    spec.width = 2;
    spec.bitCount = 16;
    spec.pixels = {0x1F, 0x7C, 0xE0, 0x03};  // 0x7C1F: red 31, blue 31; 0x03E0: green 31
    auto image = decodeBmp(bmpFile(spec));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels, (std::vector<uint32_t>{0xFF00FF, 0x00FF00}));
}

TEST(BmpDecoder, DamagedFilesFailCleanly) {
    BmpSpec wide;
    wide.width = 100000;
    wide.height = 100000;
    BmpSpec overflow;
    overflow.width = 0x7FFFFFFF;
    overflow.height = -0x7FFFFFFF;
    BmpSpec paletteBeyondFile;
    paletteBeyondFile.bitCount = 8;
    paletteBeyondFile.coloursUsed = 256;
    paletteBeyondFile.pixels = {0, 0, 0, 0};
    BmpSpec missingRows;
    missingRows.width = 3;
    missingRows.height = 3;
    missingRows.pixels.assign(12, 0);
    BmpSpec jpeg;
    jpeg.compression = 4;
    jpeg.pixels.assign(4, 0);
    BmpSpec rleTopDown;
    rleTopDown.height = -1;
    rleTopDown.bitCount = 8;
    rleTopDown.compression = 1;
    rleTopDown.pixels = {0, 1};
    for (const BmpSpec* spec : {&wide, &overflow, &missingRows, &jpeg, &rleTopDown})
        EXPECT_FALSE(decodeBmp(bmpFile(*spec))) << spec->width << "x" << spec->height;
    // A palette said to hold 256 colours with no room for them before the pixels: those colours are black.
    auto image = decodeBmp(bmpFile(paletteBeyondFile));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels[0], 0u);
    std::vector<uint8_t> cut = bmpFile(missingRows);
    for (size_t size = 0; size < cut.size(); ++size)
        EXPECT_FALSE(decodeBmp(std::span(cut).first(size))) << size;
}

}  // namespace
}  // namespace qeli::graphics
