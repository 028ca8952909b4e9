// Drawing one surface onto another. Positions are top-down; the source rectangle is [left, right) x
// [top, bottom). Transparency is 0 (opaque) to 255. Nothing here reports errors: a rectangle that
// clips away, or a source without the images its kind needs, draws nothing.
#pragma once

#include <cstdint>

#include "graphics/surface.h"

namespace qeli::graphics {

void blit(Surface& dst, int32_t dx, int32_t dy, const Surface& src, int32_t left, int32_t top, int32_t right,
          int32_t bottom, int32_t transparency);
// As `blit`, limited to `clip` on the destination.
void blitClipped(Surface& dst, int32_t dx, int32_t dy, const Surface& src, int32_t left, int32_t top,
                 int32_t right, int32_t bottom, const Rect& clip, int32_t transparency);

// The source's shape drawn darkened into the destination.
void blitShadow(Surface& dst, int32_t dx, int32_t dy, const Surface& src, int32_t left, int32_t top,
                int32_t right, int32_t bottom, int32_t transparency);
void blitShadowClipped(Surface& dst, int32_t dx, int32_t dy, const Surface& src, int32_t left, int32_t top,
                       int32_t right, int32_t bottom, const Rect& clip, int32_t transparency);

// As `blit` for `Opaque`, `Alpha` and `ColourKey` sources, each finished pixel then blended with the
// destination's old pixel by the mask's pixel at the same destination position.
void blitThroughMask(Surface& dst, int32_t dx, int32_t dy, const Surface& src, int32_t left, int32_t top,
                     int32_t right, int32_t bottom, int32_t transparency, const Surface& mask);

// A smooth resize of an `Opaque` source rectangle onto a destination rectangle (sizes in pixels):
// area averaging where it shrinks, linear interpolation where it grows. False for other kinds.
bool stretchBlit(Surface& dst, int32_t dx, int32_t dy, int32_t dw, int32_t dh, const Surface& src, int32_t sx,
                 int32_t sy, int32_t sw, int32_t sh);

}  // namespace qeli::graphics
