#include "graphics/layer_transform.h"

#include <algorithm>
#include <cmath>

#include "graphics/blit.h"

namespace qeli::graphics {

namespace {

constexpr uint32_t kTransparentAlpha = 0xFFFFFF;

bool hasAlphaKind(SurfaceKind kind) {
    return kind == SurfaceKind::Alpha || kind == SurfaceKind::Additive || kind == SurfaceKind::Subtractive;
}

Layer::CopyKey keyOf(const Surface& source) {
    Layer::CopyKey key;
    key.pixels = source.hasPixels() ? source.colourRow(0) : nullptr;
    key.width = source.width();
    key.height = source.height();
    key.kind = source.kind();
    return key;
}

// The graphic is stretched as an opaque picture; an alpha image is stretched the same way by
// passing it through the colour position.
bool buildZoomedCopy(Layer& layer, int32_t width, int32_t height) {
    Surface& copy = layer.zoomedCopy;
    Surface& source = layer.graphic;
    if (copy.width() != width || copy.height() != height || !copy.hasPixels())
        if (!copy.create(width, height)) return false;
    SurfaceKind kind = source.kind();
    source.setKind(SurfaceKind::Opaque);
    copy.setKind(SurfaceKind::Opaque);
    stretchBlit(copy, 0, 0, width, height, source, 0, 0, source.width(), source.height());
    if (hasAlphaKind(kind) && source.hasAlphaImage() && copy.createAlphaImage()) {
        source.swapImages();
        copy.swapImages();
        stretchBlit(copy, 0, 0, width, height, source, 0, 0, source.width(), source.height());
        source.swapImages();
        copy.swapImages();
    }
    source.setKind(kind);
    copy.setKind(kind);
    return true;
}

const Surface* zoomedSource(Layer& layer, int32_t& x, int32_t& y) {
    if (!layer.zoomed || (layer.zoomX == 1.0 && layer.zoomY == 1.0)) return &layer.graphic;
    auto width = static_cast<int32_t>(layer.graphic.width() * layer.zoomX);
    auto height = static_cast<int32_t>(layer.graphic.height() * layer.zoomY);
    if (width <= 0 || height <= 0 || !surfaceSizeAllowed(width, height)) return nullptr;
    Layer::CopyKey key = keyOf(layer.graphic);
    key.zoomX = layer.zoomX;
    key.zoomY = layer.zoomY;
    key.centreX = layer.zoomCentreX;
    key.centreY = layer.zoomCentreY;
    if (!(key == layer.zoomedFor)) {
        if (!buildZoomedCopy(layer, width, height)) return nullptr;
        layer.zoomedFor = key;
    }
    // The zoom centre stays in place.
    x -= static_cast<int32_t>(layer.zoomCentreX * (layer.zoomX - 1.0));
    y -= static_cast<int32_t>(layer.zoomCentreY * (layer.zoomY - 1.0));
    return &layer.zoomedCopy;
}

struct Span {
    int32_t first = 0;
    int32_t end = 0;
};

Span intersect(Span a, Span b) {
    Span r{std::max(a.first, b.first), std::min(a.end, b.end)};
    return r.first < r.end ? r : Span{};
}

// The k in [0, side) for which 0 <= a + k * d < n: one run, since the value moves in one direction.
Span insideSpan(double a, double d, int32_t n, int32_t side) {
    auto inside = [&](int32_t k) {
        double value = a + k * d;
        return value >= 0 && value < n;
    };
    if (d == 0) return inside(0) ? Span{0, side} : Span{};
    double k0 = -a / d, k1 = (n - a) / d;
    if (k0 > k1) std::swap(k0, k1);
    // Clamped as doubles: a nearly level direction puts the ends far outside any int.
    Span span{static_cast<int32_t>(std::clamp(std::ceil(k0) - 1, 0.0, double(side))),
              static_cast<int32_t>(std::clamp(std::floor(k1) + 2, 0.0, double(side)))};
    while (span.first < span.end && !inside(span.first)) ++span.first;
    while (span.end > span.first && !inside(span.end - 1)) --span.end;
    return span;
}

// Every pixel of the square takes the nearest source pixel under the inverse rotation about the
// square's centre; what falls outside the source is transparent. Positive angles turn clockwise
// on the screen.
bool buildRotatedCopy(Surface& copy, const Surface& source, double radians) {
    int32_t w = source.width(), h = source.height(), side = rotatedSide(w, h);
    if (!surfaceSizeAllowed(side, side)) return false;
    if (copy.width() != side || !copy.hasPixels() || !copy.hasAlphaImage()) {
        if (!copy.create(side, side) || !copy.createAlphaImage()) return false;
    }
    copy.setKind(SurfaceKind::Alpha);
    bool sourceAlpha = hasAlphaKind(source.kind()) && source.hasAlphaImage();
    bool keyed = source.kind() == SurfaceKind::ColourKey;
    uint32_t key = source.colourRow(0)[0] & 0xFFFFFF;
    double c = std::cos(radians), s = std::sin(radians), centre = side / 2.0;
    int32_t shiftX = (side - w) / 2, shiftY = (side - h) / 2;
    for (int32_t j = 0; j < side; ++j) {
        uint32_t* colour = copy.colourRow(side - 1 - j);
        uint32_t* alpha = copy.alphaRow(side - 1 - j);
        double dy = j - centre;
        // Along the row the source point moves by (cos, -sin) per pixel.
        double u0 = centre - centre * c + dy * s - shiftX, v0 = centre + centre * s + dy * c - shiftY;
        Span inside = intersect(insideSpan(u0, c, w, side), insideSpan(v0, -s, h, side));
        std::fill(colour, colour + inside.first, 0);
        std::fill(alpha, alpha + inside.first, kTransparentAlpha);
        std::fill(colour + inside.end, colour + side, 0);
        std::fill(alpha + inside.end, alpha + side, kTransparentAlpha);
        for (int32_t k = inside.first; k < inside.end; ++k) {
            auto iu = static_cast<int32_t>(u0 + k * c);
            int32_t row = h - 1 - static_cast<int32_t>(v0 - k * s);
            uint32_t pixel = source.colourRow(row)[iu];
            colour[k] = pixel;
            // A colour-keyed picture keeps its holes when turned.
            if (sourceAlpha) alpha[k] = source.alphaRow(row)[iu];
            else alpha[k] = keyed && (pixel & 0xFFFFFF) == key ? kTransparentAlpha : 0;
        }
    }
    return true;
}

}  // namespace

int32_t rotatedSide(int32_t width, int32_t height) {
    return static_cast<int32_t>(std::sqrt(double(width) * width + double(height) * height) + 1);
}

PlacedSurface transformedLayer(Layer& layer, int32_t x, int32_t y) {
    const Surface* zoomed = zoomedSource(layer, x, y);
    if (!zoomed || !zoomed->hasPixels()) return {};
    if (layer.angle == 0) return {zoomed, x, y};
    Layer::CopyKey key = keyOf(*zoomed);
    key.angle = layer.angle;
    key.centreX = layer.rotationCentreX;
    key.centreY = layer.rotationCentreY;
    double radians = layer.angle / 1000.0 * M_PI;
    if (!(key == layer.rotatedFor)) {
        if (!buildRotatedCopy(layer.rotatedCopy, *zoomed, radians)) return {};
        layer.rotatedFor = key;
    }
    // Where the square goes so that the rotation centre, turned, stays at its place.
    int32_t side = layer.rotatedCopy.width();
    double half = side / 2.0;
    double px = layer.rotationCentreX + (side - zoomed->width()) / 2 - half;
    double py = layer.rotationCentreY + (side - zoomed->height()) / 2 - half;
    double c = std::cos(radians), s = std::sin(radians);
    double drawX = x + layer.rotationCentreX - (px * c - py * s) - half;
    double drawY = y + layer.rotationCentreY - (px * s + py * c) - half;
    return {&layer.rotatedCopy, static_cast<int32_t>(std::lround(drawX)), static_cast<int32_t>(std::lround(drawY))};
}

}  // namespace qeli::graphics
