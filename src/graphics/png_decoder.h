// PNG pictures through libpng, from memory. Every colour type and depth comes out as 32-bit pixels;
// a picture with an alpha channel (grey or colour) keeps it in the top byte.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "graphics/decoded_image.h"

namespace qeli::graphics {

// The PNG signature; inside a graphic container the tag may read "GNP" instead of "PNG".
bool hasPngSignature(std::span<const uint8_t> bytes, bool containerTag);

std::optional<DecodedImage> decodePng(std::span<const uint8_t> bytes, bool containerTag = false);

}  // namespace qeli::graphics
