#include "graphics/layer_transform.h"

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
        // Stepping along the row adds the same amount each pixel: (cos, -sin) in source space.
        double u = centre - centre * c + dy * s - shiftX, v = centre + centre * s + dy * c - shiftY;
        for (int32_t k = 0; k < side; ++k, u += c, v -= s) {
            auto iu = static_cast<int32_t>(std::floor(u)), iv = static_cast<int32_t>(std::floor(v));
            if (iu < 0 || iv < 0 || iu >= w || iv >= h) {
                colour[k] = 0;
                alpha[k] = kTransparentAlpha;
                continue;
            }
            int32_t row = h - 1 - iv;
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
