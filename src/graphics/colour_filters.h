// Colour filters on the colour image: sepia, monochrome and negative over a rectangle (top-down;
// clipped to the image), adding and subtracting a colour over the whole image.
#pragma once

#include <cstdint>

#include "graphics/surface.h"

namespace qeli::graphics {

void applySepia(Surface& surface, const Rect& rect);
void applyMonochrome(Surface& surface, const Rect& rect);
void applyNegative(Surface& surface, const Rect& rect);

// `colour` is a `COLORREF` 0x00BBGGRR; each channel saturates. The callers skip 0 and -1.
void addColour(Surface& surface, uint32_t colour);
void subtractColour(Surface& surface, uint32_t colour);

// One pixel of each rectangle filter, for tests and for renderers that filter elsewhere.
uint32_t sepiaPixel(uint32_t pixel);
uint32_t monochromePixel(uint32_t pixel);

}  // namespace qeli::graphics
