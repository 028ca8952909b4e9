#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "graphics/cell_table.h"
#include "graphics/graphic_container.h"
#include "graphics/png_decoder.h"
#include "graphics/surface.h"
#include "platform/message_box.h"
#include "support/engine_fixture.h"
#include "support/picture_writer.h"

namespace qeli::graphics {
namespace {

using testing::PngSpec;
using testing::pngFile;

std::vector<uint8_t> rgbaPng(uint8_t alpha) {
    PngSpec spec;
    spec.width = 2;
    spec.colourType = 6;
    spec.rows = {{10, 20, 30, alpha, 40, 50, 60, alpha}};
    return pngFile(spec);
}

std::vector<uint8_t> smallBmp(uint32_t colour) {
    testing::BmpSpec spec;
    spec.width = 2;
    spec.height = 2;
    for (int i = 0; i < 2; ++i) {
        for (int x = 0; x < 2; ++x) spec.pixels.insert(spec.pixels.end(), {uint8_t(colour), uint8_t(colour >> 8), uint8_t(colour >> 16)});
        spec.pixels.insert(spec.pixels.end(), {0, 0});
    }
    return testing::bmpFile(spec);
}

std::vector<uint8_t> cellRecords(std::initializer_list<std::array<int32_t, 8>> records) {
    std::vector<CellRecord> cells;
    for (const auto& words : records) cells.push_back(CellRecord{words});
    return encodeCellTable(cells);
}

TEST(PngDecoder, AlphaChannelBecomesTheAlphaImage) {
    Surface s;
    ASSERT_TRUE(s.loadFromMemory(rgbaPng(255)));
    EXPECT_EQ(s.kind(), SurfaceKind::Alpha);
    EXPECT_EQ(s.pixel(0, 0) & 0xFFFFFF, 0x0A141Eu);
    EXPECT_EQ(s.alphaPixel(1, 0) & 0xFFFFFF, 0u) << "opaque is black";
    ASSERT_TRUE(s.loadFromMemory(rgbaPng(0)));
    EXPECT_EQ(s.alphaPixel(1, 0) & 0xFFFFFF, 0xFFFFFFu) << "clear is white";
}

PngSpec spec(int width, int height, int colourType, int bitDepth, std::vector<std::vector<uint8_t>> rows) {
    PngSpec out;
    out.width = width;
    out.height = height;
    out.colourType = colourType;
    out.bitDepth = bitDepth;
    out.rows = std::move(rows);
    return out;
}

TEST(PngDecoder, EveryColourTypeComesOutAsColours) {
    PngSpec grey2 = spec(4, 1, 0, 2, {{0b00011011}});
    PngSpec palette2 = spec(4, 1, 3, 2, {{0b11100100}});
    palette2.palette = {0x112233, 0x445566, 0x778899, 0xAABBCC};
    PngSpec greyAlpha = spec(1, 1, 4, 8, {{200, 64}});
    PngSpec rgb16 = spec(1, 1, 2, 16, {{0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC}});
    PngSpec interlaced = spec(3, 3, 2, 8, {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {10, 11, 12, 13, 14, 15, 16, 17, 18},
                                            {19, 20, 21, 22, 23, 24, 25, 26, 27}});
    interlaced.interlaced = true;
    struct Case {
        const PngSpec& spec;
        int32_t x, y;
        uint32_t colour;
    } cases[] = {
        {grey2, 1, 0, 0x555555},    {grey2, 3, 0, 0xFFFFFF},    {palette2, 0, 0, 0xAABBCC}, {palette2, 3, 0, 0x112233},
        {greyAlpha, 0, 0, 0xC8C8C8}, {rgb16, 0, 0, 0x12569A},    {interlaced, 2, 2, 0x191A1B}, {interlaced, 1, 0, 0x040506},
    };
    for (const Case& c : cases) {
        Surface s;
        ASSERT_TRUE(s.loadFromMemory(pngFile(c.spec))) << c.spec.colourType;
        EXPECT_EQ(s.pixel(c.x, c.y) & 0xFFFFFF, c.colour) << c.spec.colourType << " at " << c.x;
    }
    Surface s;
    ASSERT_TRUE(s.loadFromMemory(pngFile(greyAlpha)));
    EXPECT_EQ(s.kind(), SurfaceKind::Alpha);
    EXPECT_EQ(s.alphaPixel(0, 0) & 0xFFFFFF, 191u * 0x010101);
}

TEST(PngDecoder, DamageHalfwayFails) {
    std::vector<uint8_t> file = rgbaPng(128);
    for (size_t size : {size_t(0), size_t(8), size_t(30), file.size() - 20}) {
        Surface s;
        EXPECT_FALSE(s.loadFromMemory(std::span(file).first(size))) << size;
        EXPECT_EQ(s.kind(), SurfaceKind::Empty);
    }
    file[40] ^= 0xFF;  // inside the pixel data: libpng gives up there
    Surface s;
    EXPECT_FALSE(s.loadFromMemory(file));
}

TEST(GraphicContainer, TaggedPngAndParts) {
    std::vector<uint8_t> png = rgbaPng(0), tagged = png;
    std::copy_n("GNP", 3, tagged.begin() + 1);
    Surface plain, fromTag;
    ASSERT_TRUE(plain.loadFromMemory(writeContainer(0, png, {}, {})));
    ASSERT_TRUE(fromTag.loadFromMemory(writeContainer(0, tagged, {}, {})));
    EXPECT_EQ(fromTag.pixel(1, 0), plain.pixel(1, 0));
    EXPECT_EQ(fromTag.alphaPixel(1, 0), plain.alphaPixel(1, 0));
    EXPECT_FALSE(fromTag.loadFromMemory(tagged)) << "a file of its own is not recognised with the tag";

    Surface keyed;
    ASSERT_TRUE(keyed.loadFromMemory(writeContainer(2, smallBmp(0xFF00FF), smallBmp(0x808080), cellRecords({{0, 0, 2, 2, 100, 0, 0, 0}}))));
    EXPECT_EQ(keyed.kind(), SurfaceKind::ColourKey) << "the flag wins over the alpha image";
    EXPECT_EQ(keyed.cellTable().characters.size(), 1u);

    Surface unknown;
    EXPECT_TRUE(unknown.loadFromMemory(writeContainer(0, std::vector<uint8_t>{'X', 'Y', 'Z', 'W'}, {}, {})));
    EXPECT_EQ(unknown.kind(), SurfaceKind::Empty);
    EXPECT_FALSE(unknown.loadFromMemory(writeContainer(0, {}, smallBmp(0), {}))) << "alpha without colour";
}

TEST(GraphicContainer, ShortHeadersAndOffsetsOutside) {
    std::vector<uint8_t> file = writeContainer(0, smallBmp(0x123456), smallBmp(0), cellRecords({{0, 0, 1, 1, 5, 0, 0, 0}}));
    std::vector<uint8_t> short48 = file;
    short48[8] = 48;  // alpha size and the cell table lie beyond the header: read as 0
    Surface s;
    ASSERT_TRUE(s.loadFromMemory(short48));
    EXPECT_EQ(s.kind(), SurfaceKind::Opaque);
    EXPECT_TRUE(s.cellTable().empty());
    EXPECT_EQ(s.pixel(0, 0), 0x123456u);
    std::vector<uint8_t> outside = file;
    outside[44] = 0xFF;  // colour size far past the end
    EXPECT_FALSE(s.loadFromMemory(outside));
    EXPECT_FALSE(s.loadFromMemory(std::span(file).first(20)));
}

TEST(CellTable, GroupsRecordsIntoCharacters) {
    std::array<int32_t, 8> cell{1, 2, 3, 4, 5, 0, 0, 0}, separator{};
    struct Case {
        std::vector<uint8_t> bytes;
        std::vector<std::pair<int32_t, int32_t>> characters;
    } cases[] = {
        {cellRecords({cell, cell, separator}), {{0, 2}}},
        {cellRecords({cell, separator, cell}), {{0, 1}, {2, 1}}},
        {cellRecords({separator, cell}), {{0, 0}, {1, 1}}},
        {cellRecords({cell, separator, separator, cell}), {{0, 1}, {2, 0}, {3, 1}}},
        {{}, {}},
    };
    for (const Case& c : cases) {
        CellTable table = parseCellTable(c.bytes);
        std::vector<std::pair<int32_t, int32_t>> got;
        for (const CellCharacter& ch : table.characters) got.emplace_back(ch.first, ch.count);
        EXPECT_EQ(got, c.characters) << c.bytes.size();
    }
    std::vector<uint8_t> ragged = cellRecords({cell, cell});
    ragged.resize(ragged.size() + 31, 0xEE);
    EXPECT_EQ(parseCellTable(ragged).records.size(), 2u);
}

class GraphicLoadTest : public qeli::testing::EngineTest {
protected:
    void write(const std::string& name, const std::vector<uint8_t>& bytes) {
        std::ofstream(name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    std::string errorLog() {
        std::ifstream in("error.log", std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
};

TEST_F(GraphicLoadTest, MissingFilesAreLoggedWithoutABox) {
    platform::clearShownMessageBoxes();
    Surface s;
    EXPECT_FALSE(s.load("none.bmp"));
    EXPECT_FALSE(s.loadAlpha("none_a.bmp"));
    EXPECT_FALSE(s.loadAlpha(""));
    EXPECT_EQ(errorLog(), "Graphic Access Error[none.bmp]\nAlphaGraphic Access Error[none_a.bmp]\n");
    EXPECT_TRUE(platform::shownMessageBoxes().empty());
}

TEST_F(GraphicLoadTest, BrokenFileIsRetriedOnceThenBoxed) {
    platform::clearShownMessageBoxes();
    write("broken.png", std::vector<uint8_t>{0x89, 'P', 'N', 'G', 1, 2, 3});
    write("good.bmp", smallBmp(0x010203));
    write("mask.png", rgbaPng(255));
    Surface s;
    EXPECT_FALSE(s.load("broken.png"));  // headless: Ignore
    auto boxes = platform::shownMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].request.caption, "File Access Error");
    EXPECT_EQ(boxes[0].request.text,
              "filename:broken.png\nerrorcode:3e9\n\nerrorcomment: graphic format decode error(data broken or file read error)");
    EXPECT_EQ(boxes[0].request.buttons, platform::BoxButtons::AbortRetryIgnore);
    EXPECT_EQ(s.name(), "broken.png");

    // After Ignore the next failure asks at once; a success clears that state again.
    EXPECT_FALSE(s.load("broken.png"));
    EXPECT_EQ(platform::shownMessageBoxes().size(), 2u);
    EXPECT_TRUE(s.load("good.bmp"));
    EXPECT_FALSE(s.load("broken.png"));
    EXPECT_EQ(platform::shownMessageBoxes().size(), 3u);

    ASSERT_TRUE(s.load("good.bmp"));
    EXPECT_TRUE(s.loadAlpha("mask.png"));
    EXPECT_EQ(s.kind(), SurfaceKind::Alpha);
    EXPECT_EQ(s.alphaName(), "mask.png");
    EXPECT_FALSE(s.loadAlpha("broken.png"));
    EXPECT_NE(platform::shownMessageBoxes().back().request.text.find("errorcode:3ea"), std::string::npos);
}

}  // namespace
}  // namespace qeli::graphics
