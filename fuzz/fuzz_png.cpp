// Fuzzes the PNG reader (libpng with our limits and error handling), both as a file of its own and as
// a container part with the "GNP" tag allowed.
#include <cstdint>
#include <span>

#include "graphics/png_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::span<const uint8_t> bytes(data, size);
    qeli::graphics::decodePng(bytes, size > 0 && data[size - 1] & 1);
    return 0;
}
