// Fuzzes the BMP reader: headers, palettes, bit fields and run-length data from hostile bytes.
#include <cstdint>
#include <span>

#include "graphics/bmp_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    qeli::graphics::decodeBmp(std::span<const uint8_t>(data, size));
    return 0;
}
