// Composition in software: the layers of a layer set drawn, in list order, into a target surface
// within a clip rectangle, with transparency from transmittance, filter layers, the cache surface,
// zoomed, rotated and waving layers, sprites, shadow drawing and drawing through a mask.
#pragma once

#include <cstdint>
#include <limits>

#include "graphics/layer_set.h"
#include "graphics/surface.h"

namespace qeli::graphics {

enum ComposeFlags : int {
    kComposeShadow = 1,
    kComposeSkipWeather = 2,
};

// Layers up to `number` drawn once into a surface of the frame size (`GraphicCache`).
struct LayerCache {
    Surface surface;
    int32_t number = 0;
    bool active = false;
};

// The transparency (0 opaque to 255 invisible) of a transmittance in tenths of a percent.
int32_t transparencyOf(double transmittance);

// Draws the layers numbered minNumber to maxNumber; false when nothing could be drawn (drawing is
// suspended or the clip is empty).
bool compose(LayerSet& set, Surface& target, const Rect& clip,
             int32_t maxNumber = std::numeric_limits<int32_t>::max(),
             int32_t minNumber = std::numeric_limits<int32_t>::min(), int flags = 0, const LayerCache* cache = nullptr);

// Fills the cache with the layers up to `number` over the whole frame.
bool makeCache(LayerCache& cache, LayerSet& set, int32_t number, int32_t width, int32_t height);

}  // namespace qeli::graphics
