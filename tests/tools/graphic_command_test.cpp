// Runs `qeli-tool graphic` as users do: a container taken apart and put together again must come
// out byte for byte the same, and damaged input must fail with an exit code.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "graphics/cell_table.h"
#include "graphics/graphic_container.h"
#include "support/engine_fixture.h"
#include "support/picture_writer.h"

namespace qeli {
namespace {

class GraphicCommandTest : public testing::EngineTest {
protected:
    int tool(const std::string& arguments) {
        int status = std::system((std::string(QELI_TOOL) + " graphic " + arguments + " > tool.out 2>&1").c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::vector<uint8_t> read(const std::string& name) {
        std::ifstream in(name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void write(const std::string& name, const std::vector<uint8_t>& bytes) {
        std::ofstream(name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
};

TEST_F(GraphicCommandTest, UnpackAndPackGiveTheSameContainer) {
    testing::PngSpec png;
    png.width = 2;
    png.colourType = 6;
    png.rows = {{1, 2, 3, 4, 5, 6, 7, 8}};
    std::vector<uint8_t> tagged = testing::pngFile(png);
    std::copy_n("GNP", 3, tagged.begin() + 1);
    testing::BmpSpec bmp;
    bmp.width = 2;
    bmp.pixels = {9, 9, 9, 8, 8, 8, 0, 0};
    std::vector<graphics::CellRecord> cells{{{0, 0, 1, 1, 100, 2, 7, 0}}, {{1, 0, 0, 0, 0, 0, 0, 1}}, {}, {{0, 0, 0, 0, 0, 0, 0, 2}},
                                            {{5, 6, 7, 8, 9, 10, 11, 12}}};
    std::vector<uint8_t> original = graphics::writeContainer(2, tagged, testing::bmpFile(bmp), graphics::encodeCellTable(cells));
    write("original.qlg", original);

    ASSERT_EQ(tool("info original.qlg"), 0);
    ASSERT_EQ(tool("unpack original.qlg parts"), 0);
    ASSERT_EQ(tool("pack again.qlg --colour parts/colour.png --alpha parts/alpha.bmp --cells parts/cells.txt --colour-key --gnp"), 0);
    EXPECT_EQ(read("again.qlg"), original);
}

TEST_F(GraphicCommandTest, BadInputFails) {
    write("broken.qlg", {'Q', 'L', 'G', 0, 0, 0, 0, 0, 64, 0, 0, 0});
    EXPECT_EQ(tool("info broken.qlg"), 1);
    EXPECT_EQ(tool("unpack broken.qlg out"), 1);
    write("cells.txt", {'j', 'u', 'm', 'p', '\n'});
    write("not_a_picture.png", {1, 2, 3});
    EXPECT_EQ(tool("pack out.qlg --cells cells.txt"), 1);
    EXPECT_EQ(tool("pack out.qlg --colour not_a_picture.png"), 1);
    EXPECT_EQ(tool("frobnicate x"), 2);
}

}  // namespace
}  // namespace qeli
