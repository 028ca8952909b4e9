// Fuzzes loading a picture from memory: the format dispatch, the graphic container with its parts
// and cell table, and the surfaces made from them.
#include <cstdint>
#include <span>

#include "graphics/surface.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    qeli::graphics::Surface surface;
    surface.loadFromMemory(std::span<const uint8_t>(data, size));
    return 0;
}
