// A decoded picture before it becomes a surface image: 32-bit pixels 0xAARRGGBB, rows bottom-up,
// pitch exactly the width. The top byte is the PNG alpha (255 opaque) when `hasAlpha`, else a
// 32-bit BMP's spare byte or 0.
#pragma once

#include <cstdint>
#include <vector>

namespace qeli::graphics {

struct DecodedImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;
    bool hasAlpha = false;

    uint32_t* row(int32_t memoryRow) { return pixels.data() + size_t(memoryRow) * size_t(width); }
    const uint32_t* row(int32_t memoryRow) const { return pixels.data() + size_t(memoryRow) * size_t(width); }
};

}  // namespace qeli::graphics
