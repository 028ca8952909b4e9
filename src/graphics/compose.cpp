#include "graphics/compose.h"

#include <algorithm>
#include <cmath>

#include "graphics/blit.h"
#include "graphics/colour_filters.h"
#include "graphics/layer_transform.h"

namespace qeli::graphics {

namespace {

Rect intersect(const Rect& a, const Rect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

bool isEmpty(const Rect& r) { return r.left >= r.right || r.top >= r.bottom; }

void drawSurface(Surface& target, int32_t x, int32_t y, const Surface& source, const Rect& from, const Rect& clip,
                 int32_t transparency, int flags) {
    if (flags & kComposeShadow) {
        blitShadowClipped(target, x, y, source, from.left, from.top, from.right, from.bottom, clip, transparency);
    } else {
        blitClipped(target, x, y, source, from.left, from.top, from.right, from.bottom, clip, transparency);
    }
}

void applyFilterLayer(const Layer& layer, Surface& target, const Rect& clip) {
    switch (static_cast<int32_t>(layer.graphic.kind())) {
    case kSepiaLayer: applySepia(target, clip); break;
    case kMonochromeLayer: applyMonochrome(target, clip); break;
    case kNegativeLayer: applyNegative(target, clip); break;
    default: break;
    }
}

// Row j goes to y + j, shifted sideways along a sine of `half waves` half periods over the height.
void drawWaving(Surface& target, const Layer& layer, int32_t x, int32_t y, const Rect& clip, int32_t transparency,
                int flags) {
    const Surface& g = layer.graphic;
    double amplitude = layer.waveAmplitude;
    if (layer.waveBlendTime > 0) amplitude = layer.waveAmplitude - layer.waveBlendTime * layer.waveAmplitudeRate;
    auto phase = static_cast<int32_t>(layer.wavePhase);
    for (int32_t j = 0; j < g.height(); ++j) {
        if (y + j < clip.top || y + j >= clip.bottom) continue;
        double turn = double(layer.waveHalfWaves) / g.height() * (j + phase) * 3.141592;
        auto shift = static_cast<int32_t>(amplitude * std::sin(turn));
        drawSurface(target, x + shift, y + j, g, {0, j, g.width(), j + 1}, clip, transparency, flags);
    }
}

void drawLayer(Surface& target, Layer& layer, const Rect& clip, int32_t effectLevel, int flags) {
    int32_t x = truncatedPixel(layer.x - layer.originX), y = truncatedPixel(layer.y - layer.originY);
    const Surface& g = layer.graphic;
    if (!g.hasPixels()) return;
    bool zoomed = layer.zoomed && (layer.zoomX != 1.0 || layer.zoomY != 1.0);
    if (zoomed || layer.angle != 0) {
        PlacedSurface placed = transformedLayer(layer, x, y);
        if (placed.surface) {
            const Surface& s = *placed.surface;
            drawSurface(target, placed.x, placed.y, s, {0, 0, s.width(), s.height()}, clip, layer.transparency, flags);
        }
    } else if (layer.waveActive && effectLevel >= 1) {
        drawWaving(target, layer, x, y, clip, layer.transparency, flags);
    } else {
        drawSurface(target, x, y, g, {0, 0, g.width(), g.height()}, clip, layer.transparency, flags);
    }
}

void drawSprites(Surface& target, const Layer& layer, const Rect& clip, int flags) {
    int32_t x = truncatedPixel(layer.x - layer.originX), y = truncatedPixel(layer.y - layer.originY);
    int32_t transparency = layer.spritesIgnoreTransmittance ? 0 : layer.transparency;
    bool throughMask = layer.maskActive && layer.mask.kind() != SurfaceKind::Empty;
    for (const auto& sprite : layer.sprites()) {
        if (!sprite->visible || !sprite->sourceSurface) continue;
        // TODO: type 4 glyph sprites fill their rectangle of the font graphic with their colour
        // first, once glyph rendering exists.
        const Surface& source = *sprite->sourceSurface;
        const Rect& from = sprite->source;
        int32_t sx = x + sprite->x, sy = y + sprite->y;
        if (throughMask) {
            // The mask blend has no clip of its own: limit the source to the clip instead.
            Rect part = intersect({sx, sy, sx + from.right - from.left, sy + from.bottom - from.top}, clip);
            if (isEmpty(part)) continue;
            blitThroughMask(target, part.left, part.top, source, from.left + part.left - sx, from.top + part.top - sy,
                            from.left + part.right - sx, from.top + part.bottom - sy, transparency, layer.mask);
        } else {
            drawSurface(target, sx, sy, source, from, clip, transparency, flags);
        }
    }
}

}  // namespace

int32_t transparencyOf(double transmittance) {
    if (transmittance < 0) return 0;
    if (transmittance >= 1000) return 255;
    return static_cast<int32_t>(transmittance * 0.255);
}

bool compose(LayerSet& set, Surface& target, const Rect& clip, int32_t maxNumber, int32_t minNumber, int flags,
             const LayerCache* cache) {
    LayerLock lock(layerLock());
    Rect area = intersect(clip, {0, 0, target.width(), target.height()});
    if (set.drawingSuspended || isEmpty(area)) return false;
    int32_t skipUpTo = std::numeric_limits<int32_t>::min();
    if (cache && cache->active && cache->surface.hasPixels()) {
        const Surface& c = cache->surface;
        blitClipped(target, 0, 0, c, 0, 0, c.width(), c.height(), area, 0);
        skipUpTo = cache->number;
    }
    // TODO: leave out the weather layers with kComposeSkipWeather once weather effects exist.
    for (const auto& entry : set.layers()) {
        Layer& layer = *entry;
        if (layer.number < minNumber) continue;
        if (layer.number > maxNumber) break;
        if (cache && cache->active && layer.number <= skipUpTo) continue;
        layer.transparency = transparencyOf(layer.transmittance);
        if (layer.transparency == 255 || !layer.visible) continue;
        // Filter layers (kinds above 10000) draw nothing themselves but filter what lies below.
        if (static_cast<int32_t>(layer.graphic.kind()) > 10000) {
            applyFilterLayer(layer, target, area);
            continue;
        }
        drawLayer(target, layer, area, set.effectLevel, flags);
        drawSprites(target, layer, area, flags);
    }
    return true;
}

bool makeCache(LayerCache& cache, LayerSet& set, int32_t number, int32_t width, int32_t height) {
    LayerLock lock(layerLock());
    cache.active = false;
    if (!cache.surface.create(width, height)) return false;
    cache.surface.fill(0xFFFFFF);
    compose(set, cache.surface, {0, 0, width, height}, number);
    cache.number = number;
    cache.active = true;
    return true;
}

}  // namespace qeli::graphics
