// Builds Windows cursor files in code: still cursors (.cur) with 1-bit or 32-bit images, and
// animated cursors (.ani) from still ones.
#pragma once

#include <cstdint>
#include <vector>

namespace qeli::testing {

struct CursorImageSpec {
    int width = 0, height = 0, hotX = 0, hotY = 0;
    int bitCount = 32;          // 1 (black and white with a mask) or 32 (alpha channel)
    std::vector<uint8_t> rgba;  // rows top-down; 1-bit: alpha 0 is transparent, else white if red > 127
};

// A .cur file (type 2); `type` 1 writes an .ico directory instead.
std::vector<uint8_t> buildCursorFile(const std::vector<CursorImageSpec>& images, uint16_t type = 2);

// An .ani file over the given .cur files; empty `rates`/`sequence` leave those chunks out.
std::vector<uint8_t> buildAnimatedCursor(const std::vector<std::vector<uint8_t>>& frames, uint32_t steps,
                                         uint32_t defaultRate, const std::vector<uint32_t>& rates,
                                         const std::vector<uint32_t>& sequence);

}  // namespace qeli::testing
