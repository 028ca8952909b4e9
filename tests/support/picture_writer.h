// Pictures built in code for tests: BMP files of any header, depth and compression (the bytes are
// given as they are to be stored) and PNG files written through libpng.
#pragma once

#include <cstdint>
#include <vector>

namespace qeli::testing {

struct BmpSpec {
    int32_t width = 1;
    int32_t height = 1;  // negative: rows stored top-down
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t infoSize = 40;
    uint32_t coloursUsed = 0;
    std::vector<uint32_t> palette;  // 0x00RRGGBB, stored as blue, green, red, 0
    std::vector<uint32_t> masks;    // red, green, blue (and alpha), stored after a 40-byte header
    std::vector<uint8_t> pixels;    // the stored pixel bytes
};

std::vector<uint8_t> bmpFile(const BmpSpec& spec);

// A BMP with the rows of `file` reversed and its height negated: the same picture stored top-down.
std::vector<uint8_t> topDownCopy(const std::vector<uint8_t>& file);

struct PngSpec {
    int width = 1;
    int height = 1;
    int colourType = 2;  // as in the file: 0 grey, 2 RGB, 3 palette, 4 grey and alpha, 6 RGBA
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<uint32_t> palette;       // 0x00RRGGBB
    std::vector<std::vector<uint8_t>> rows;  // packed as stored, top row first
};

std::vector<uint8_t> pngFile(const PngSpec& spec);

}  // namespace qeli::testing
