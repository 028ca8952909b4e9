// The layer stack and its per-frame advance: deferred loads, scrolls, fades, zoom and rotation
// scrolls, waves and sprite animation, in that order for each layer.
#include "graphics/layer_set.h"

#include <algorithm>
#include <cmath>

namespace qeli::graphics {

std::recursive_mutex& layerLock() {
    static std::recursive_mutex lock;
    return lock;
}

LayerSet::LayerSet(int32_t frameWidth, int32_t frameHeight) : m_frameWidth(frameWidth), m_frameHeight(frameHeight) {}

LayerSet::~LayerSet() {
    LayerLock lock(layerLock());
    m_layers.clear();
}

Layer* LayerSet::find(int32_t number) const {
    for (const auto& layer : m_layers)
        if (layer->number == number) return layer.get();
    return nullptr;
}

Layer& LayerSet::create(int32_t number) {
    LayerLock lock(layerLock());
    auto at = std::find_if(m_layers.begin(), m_layers.end(), [&](const auto& l) { return l->number > number; });
    return **m_layers.insert(at, std::make_unique<Layer>(*this, number));
}

void LayerSet::remove(int32_t number) {
    LayerLock lock(layerLock());
    auto it = std::find_if(m_layers.begin(), m_layers.end(), [&](const auto& l) { return l->number == number; });
    if (it == m_layers.end()) return;
    for (const auto& layer : m_layers) layer->withdrawSource(&(*it)->graphic);
    (*it)->invalidate();
    m_layers.erase(it);
}

void LayerSet::swap(int32_t numberA, int32_t numberB) {
    LayerLock lock(layerLock());
    if (numberA == numberB) return;
    bool madeA = !find(numberA), madeB = !find(numberB);
    Layer& a = madeA ? create(numberA) : *find(numberA);
    Layer& b = madeB ? create(numberB) : *find(numberB);
    auto slotOf = [&](Layer& l) {
        return std::find_if(m_layers.begin(), m_layers.end(), [&](const auto& p) { return p.get() == &l; });
    };
    std::iter_swap(slotOf(a), slotOf(b));
    std::swap(a.number, b.number);
    // The layer made for the exchange now carries the other number.
    if (madeA) remove(numberB);
    if (madeB) remove(numberA);
    invalidateAll();
}

void LayerSet::invalidate(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    if (left >= right || top >= bottom) return;
    if (!isDirty()) {
        m_dirty = {left, top, right, bottom};
        return;
    }
    m_dirty = {std::min(m_dirty.left, left), std::min(m_dirty.top, top), std::max(m_dirty.right, right),
               std::max(m_dirty.bottom, bottom)};
}

void LayerSet::clearMasks() {
    LayerLock lock(layerLock());
    for (const auto& layer : m_layers) {
        layer->mask.clear();
        layer->maskActive = false;
    }
}

void LayerSet::removeSpritesFromPage(int32_t page) {
    LayerLock lock(layerLock());
    for (const auto& layer : m_layers) layer->removeSpritesFromPage(page);
}

int32_t LayerSet::layerNumberOf(const Surface* surface) const {
    for (const auto& layer : m_layers)
        if (&layer->graphic == surface) return layer->number;
    return -1;
}

// ---- Per-frame advance ----

void LayerSet::advanceScroll(Layer& l, double c, bool& moved) {
    if (l.scrollState == 0 || !l.visible) return;
    double nx = l.x + l.scrollVelocityX * c, ny = l.y + l.scrollVelocityY * c;
    if (nx >= l.scrollMinX && nx <= l.scrollMaxX && ny >= l.scrollMinY && ny <= l.scrollMaxY) {
        bool changed = std::trunc(nx) != std::trunc(l.x) || std::trunc(ny) != std::trunc(l.y);
        if (changed) l.invalidate();
        l.x = nx;
        l.y = ny;
        if (changed) l.invalidate();
        moved = moved || changed;
        return;
    }
    l.invalidate();
    l.x = nx;
    l.y = ny;
    if (l.scrollState == 2) {
        double width = l.scrollMaxX - l.scrollMinX, height = l.scrollMaxY - l.scrollMinY;
        if (l.x < l.scrollMinX) l.x += width;
        else if (l.x > l.scrollMaxX) l.x -= width;
        if (l.y < l.scrollMinY) l.y += height;
        else if (l.y > l.scrollMaxY) l.y -= height;
    } else {
        l.scrollState = 0;
        l.x = std::clamp<double>(l.x, l.scrollMinX, std::max(l.scrollMinX, l.scrollMaxX));
        l.y = std::clamp<double>(l.y, l.scrollMinY, std::max(l.scrollMinY, l.scrollMaxY));
    }
    l.invalidate();
    moved = true;
}

void LayerSet::advanceFade(Layer& l, double c, bool& moved) {
    if (l.transmittanceRate == 0) return;
    l.transmittance += c * l.transmittanceRate;
    if ((l.transmittanceRate > 0 && l.transmittance > l.transmittanceTarget) ||
        (l.transmittanceRate < 0 && l.transmittance < l.transmittanceTarget)) {
        l.transmittance = l.transmittanceTarget;
        l.transmittanceRate = 0;
    }
    if (truncatedPixel(l.transmittance * 0.255) != l.transparency) {
        invalidateAll();
        moved = true;
    }
}

namespace {

// Moves `value` by `step` without passing `target` in the direction of the step.
double approach(double value, double step, double target) {
    double next = value + step;
    if (step > 0) return std::min(next, target);
    if (step < 0) return std::max(next, target);
    return next;
}

}  // namespace

void LayerSet::advanceZoom(Layer& l, double c, bool& moved) {
    if (!l.zoomScrolling) return;
    l.zoomX = approach(l.zoomX, c * l.zoomRateX, l.zoomTargetX);
    l.zoomY = approach(l.zoomY, c * l.zoomRateY, l.zoomTargetY);
    if (l.zoomX != l.zoomTargetX || l.zoomY != l.zoomTargetY) {
        l.zoomed = true;
    } else {
        l.zoomScrolling = false;
        if (l.zoomX == 1.0 && l.zoomY == 1.0) l.zoomed = false;
    }
    invalidateAll();
    moved = true;
}

void LayerSet::advanceRotation(Layer& l, double c, bool& moved) {
    if (l.rotationMode == 0) return;
    if (l.rotationMode == 1) {
        l.angle = approach(l.angle, c * l.rotationRate, l.rotationTarget);
        if (l.angle == l.rotationTarget) l.rotationMode = 0;
    } else {
        l.angle += c * l.rotationRate;
    }
    invalidateAll();
    moved = true;
}

void LayerSet::advanceWave(Layer& l, int32_t elapsedMs, bool& moved) {
    if (!l.waveActive || effectLevel <= 0) return;
    if (elapsedMs != 0) {
        if (l.wavePeriod != 0) l.wavePhase += double(elapsedMs) / l.wavePeriod;
        l.waveBlendTime = std::max(0.0, l.waveBlendTime - elapsedMs);
        if (l.waveAmplitude == 0 && l.waveBlendTime == 0) l.waveActive = false;
    }
    invalidateAll();
    moved = true;
}

bool LayerSet::advance(int32_t elapsedMs) {
    LayerLock lock(layerLock());
    double c = speedFactor * elapsedMs;
    bool moved = false;
    for (const auto& layer : m_layers) {
        Layer& l = *layer;
        if (!drawingSuspended && l.loadDeferred()) moved = true;
        advanceScroll(l, c, moved);
        advanceFade(l, c, moved);
        advanceZoom(l, c, moved);
        advanceRotation(l, c, moved);
        advanceWave(l, elapsedMs, moved);
        // TODO: weather particles and their motion belong to the weather effects, not built yet.
        if (!l.visible) continue;
        for (const auto& sprite : l.sprites()) {
            if (!sprite->visible || !sprite->sourceSurface) continue;
            Rect before = sprite->frameRect(truncatedPixel(l.x), truncatedPixel(l.y));
            if (!sprite->animate(elapsedMs)) continue;
            Rect after = sprite->frameRect(truncatedPixel(l.x), truncatedPixel(l.y));
            invalidate(before.left, before.top, before.right, before.bottom);
            invalidate(after.left, after.top, after.right, after.bottom);
            moved = true;
        }
    }
    return moved;
}

}  // namespace qeli::graphics
