// A PNG file of a 24-bit picture (screenshots), through libpng.
#pragma once

#include <cstdint>
#include <vector>

#include "graphics/surface.h"

namespace qeli::graphics {

// The surface's colour image as an RGB PNG; empty when the surface has no pixels or encoding fails.
std::vector<uint8_t> encodePng(const Surface& surface);

}  // namespace qeli::graphics
