// The software forms of a transformed layer: the zoomed copy (smooth stretch, alpha stretched the
// same way) and the rotated copy (nearest pixel, on a square that holds every angle), each rebuilt
// only when what it was made from changed, and where to draw them.
#pragma once

#include <cstdint>

#include "graphics/layer.h"

namespace qeli::graphics {

struct PlacedSurface {
    const Surface* surface = nullptr;  // null: nothing to draw
    int32_t x = 0;
    int32_t y = 0;
};

// The side of the rotated copy of a w x h image: trunc(sqrt(w^2 + h^2) + 1).
int32_t rotatedSide(int32_t width, int32_t height);

// The layer's graphic zoomed and rotated as its fields say, placed so that the zoom centre and the
// rotation centre stay where they are; (x, y) is the layer's own drawing position.
PlacedSurface transformedLayer(Layer& layer, int32_t x, int32_t y);

}  // namespace qeli::graphics
