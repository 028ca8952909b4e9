#include "graphics/colour_filters.h"

#include <algorithm>

namespace qeli::graphics {

namespace {

template <typename PixelFn>
void forEachPixel(Surface& surface, const Rect& rect, PixelFn fn) {
    if (!surface.hasPixels()) return;
    int32_t left = std::max(rect.left, 0), top = std::max(rect.top, 0);
    int32_t right = std::min(rect.right, surface.width()), bottom = std::min(rect.bottom, surface.height());
    for (int32_t y = bottom - 1; y >= top; --y) {  // ascending memory order
        uint32_t* row = surface.colourRow(surface.height() - 1 - y);
        for (int32_t x = left; x < right; ++x) row[x] = fn(row[x]);
    }
}

Rect whole(const Surface& surface) { return {0, 0, surface.width(), surface.height()}; }

// Each step rounds to single precision, as the filter has always computed it; the constants are the
// single-precision values of 0.078512, 0.031304, 0.039984 and 0.161252.
uint8_t sepiaChannel(float value) {
    value = std::clamp(value, 0.0f, 1.0f);
    return uint8_t(value * 255.0f);
}

}  // namespace

uint32_t sepiaPixel(uint32_t pixel) {
    float r = float((pixel >> 16) & 0xFF) / 255.0f;
    float g = float((pixel >> 8) & 0xFF) / 255.0f;
    float b = float(pixel & 0xFF) / 255.0f;
    float gPart = g * 0.587f;
    float rPart = r * 0.299f;
    float bPart = b * 0.114f;
    float y = gPart + rPart;
    y = y + bPart;
    float red = y + 0.078512f;
    float green = y + 0.031304f;
    green = green - 0.039984f;
    float blue = y - 0.161252f;
    return uint32_t(sepiaChannel(red)) << 16 | uint32_t(sepiaChannel(green)) << 8 | sepiaChannel(blue);
}

uint32_t monochromePixel(uint32_t pixel) {
    uint32_t grey = (3 * ((pixel >> 16) & 0xFF) + 6 * ((pixel >> 8) & 0xFF) + (pixel & 0xFF)) / 10;
    return grey * 0x010101;
}

void applySepia(Surface& surface, const Rect& rect) { forEachPixel(surface, rect, sepiaPixel); }

void applyMonochrome(Surface& surface, const Rect& rect) { forEachPixel(surface, rect, monochromePixel); }

void applyNegative(Surface& surface, const Rect& rect) {
    forEachPixel(surface, rect, [](uint32_t p) { return p ^ 0x00FFFFFF; });
}

void addColour(Surface& surface, uint32_t colour) {
    uint32_t add[3] = {(colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF};  // blue, green, red
    forEachPixel(surface, whole(surface), [&](uint32_t p) {
        uint32_t out = 0;
        for (int c = 0; c < 3; ++c) out |= std::min<uint32_t>(255, ((p >> (8 * c)) & 0xFF) + add[c]) << (8 * c);
        return out;
    });
}

void subtractColour(Surface& surface, uint32_t colour) {
    int32_t sub[3] = {int32_t((colour >> 16) & 0xFF), int32_t((colour >> 8) & 0xFF), int32_t(colour & 0xFF)};
    forEachPixel(surface, whole(surface), [&](uint32_t p) {
        uint32_t out = 0;
        for (int c = 0; c < 3; ++c)
            out |= uint32_t(std::max<int32_t>(0, int32_t((p >> (8 * c)) & 0xFF) - sub[c])) << (8 * c);
        return out;
    });
}

}  // namespace qeli::graphics
