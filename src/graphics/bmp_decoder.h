// Windows BMP files: 1, 4 and 8 bits with palettes (RLE4 and RLE8 too), 16 bits (555, or any masks
// through bit fields), 24 and 32 bits; the OS/2 core header and the info headers up to V5. Top-down
// files come out bottom-up like every other picture.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "graphics/decoded_image.h"

namespace qeli::graphics {

// "BM" at the start: how a BMP file is recognised.
bool hasBmpMagic(std::span<const uint8_t> bytes);

std::optional<DecodedImage> decodeBmp(std::span<const uint8_t> bytes);

}  // namespace qeli::graphics
