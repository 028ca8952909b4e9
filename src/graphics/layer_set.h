// The numbered layer stack that makes the picture (higher numbers on top), its dirty rectangle and
// the per-frame advance of every time-driven attribute. One recursive lock, the layer lock, guards
// the set, its layers, sprites and surfaces.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "graphics/layer.h"

namespace qeli::graphics {

// The layer lock. Operations that take it may be called with it already held.
std::recursive_mutex& layerLock();
using LayerLock = std::lock_guard<std::recursive_mutex>;

inline constexpr int32_t kTransitionLayer = 2147483647;

class LayerSet {
public:
    LayerSet(int32_t frameWidth, int32_t frameHeight);
    ~LayerSet();
    LayerSet(const LayerSet&) = delete;
    LayerSet& operator=(const LayerSet&) = delete;

    Layer* find(int32_t number) const;
    // A fresh layer with its defaults, placed after every layer of an equal or smaller number.
    // Callers remove an existing layer of that number first.
    Layer& create(int32_t number);
    // The layer goes with its surfaces and sprites; sprites elsewhere that showed its graphic keep
    // their places and draw nothing.
    void remove(int32_t number);
    // Exchanges places and numbers; a missing partner is made for the exchange and removed after it.
    void swap(int32_t numberA, int32_t numberB);
    // Layers in drawing order.
    const std::vector<std::unique_ptr<Layer>>& layers() const { return m_layers; }

    const Rect& dirty() const { return m_dirty; }
    bool isDirty() const { return m_dirty.left < m_dirty.right && m_dirty.top < m_dirty.bottom; }
    void takeDirty() { m_dirty = {}; }
    void invalidate(int32_t left, int32_t top, int32_t right, int32_t bottom);
    void invalidateAll() { invalidate(0, 0, m_frameWidth, m_frameHeight); }

    void clearMasks();
    // Removes every sprite whose page number is at least `page`.
    void removeSpritesFromPage(int32_t page);
    // The number of the layer whose graphic is `surface`, or -1.
    int32_t layerNumberOf(const Surface* surface) const;

    // The per-frame update: true when something moved.
    bool advance(int32_t elapsedMs);

    double speedFactor = 1.0;
    bool drawingSuspended = false;
    int32_t effectLevel = 1;
    float viewX = 0, viewY = 0, viewZ = 0;

private:
    void advanceScroll(Layer& layer, double c, bool& moved);
    void advanceFade(Layer& layer, double c, bool& moved);
    void advanceZoom(Layer& layer, double c, bool& moved);
    void advanceRotation(Layer& layer, double c, bool& moved);
    void advanceWave(Layer& layer, int32_t elapsedMs, bool& moved);

    std::vector<std::unique_ptr<Layer>> m_layers;
    Rect m_dirty;
    int32_t m_frameWidth, m_frameHeight;
};

}  // namespace qeli::graphics
