// Zoom, rotation, waves and scrolls of layers with their waits, the cache, the text rectangle and
// the position queries.
#include <cmath>

#include "app/engine_state.h"
#include "graphics/command_support.h"
#include "graphics/graphic_commands.h"
#include "graphics/renderer.h"

namespace qeli::graphics {

namespace {

// Rates per millisecond; a time of 0 or less would divide by zero, so the change is made at once.
double ratePerMs(double change, int32_t timeMs) { return timeMs > 0 ? change / timeMs : 0; }

std::optional<CommandResult> GraphicScale(ScriptContext& c, int32_t n, const Param* p) {
    Layer* layer = n >= 3 ? findLayer(c, p[0].value) : nullptr;
    if (!layer) return std::nullopt;
    LayerLock lock(layerLock());
    layer->invalidate();
    layer->zoomX = p[1].value / 1000.0;
    layer->zoomY = p[2].value / 1000.0;
    layer->zoomed = layer->zoomX != 1.0 || layer->zoomY != 1.0;
    layer->invalidate();
    return std::nullopt;
}

std::optional<CommandResult> GraphicScaleCenter(ScriptContext& c, int32_t n, const Param* p) {
    Layer* layer = n >= 3 ? findLayer(c, p[0].value) : nullptr;
    if (!layer) return std::nullopt;
    LayerLock lock(layerLock());
    layer->zoomCentreX = p[1].value;
    layer->zoomCentreY = p[2].value;
    if (layer->zoomed) layer->owner().invalidateAll();
    return std::nullopt;
}

std::optional<CommandResult> GraphicScaleScroll(ScriptContext& c, int32_t n, const Param* p) {
    Layer* layer = n >= 4 ? findLayer(c, p[0].value) : nullptr;
    if (!layer) return std::nullopt;
    LayerLock lock(layerLock());
    if (!layer->zoomed) layer->zoomX = layer->zoomY = 1.0;
    layer->zoomTargetX = p[1].value / 1000.0;
    layer->zoomTargetY = p[2].value / 1000.0;
    if (p[3].value <= 0) {
        layer->zoomX = layer->zoomTargetX;
        layer->zoomY = layer->zoomTargetY;
        layer->zoomed = layer->zoomX != 1.0 || layer->zoomY != 1.0;
        layer->owner().invalidateAll();
        return std::nullopt;
    }
    layer->zoomRateX = ratePerMs(layer->zoomTargetX - layer->zoomX, p[3].value);
    layer->zoomRateY = ratePerMs(layer->zoomTargetY - layer->zoomY, p[3].value);
    layer->zoomScrolling = true;
    return std::nullopt;
}

std::optional<CommandResult> GraphicRotate(ScriptContext& c, int32_t n, const Param* p) {
    Layer* layer = n >= 2 ? findLayer(c, p[0].value) : nullptr;
    if (!layer) return std::nullopt;
    LayerLock lock(layerLock());
    layer->rotationMode = 0;
    layer->rotationRate = 0;
    layer->rotationTarget = 0;
    layer->owner().invalidateAll();
    layer->angle = p[1].value;
    return std::nullopt;
}

std::optional<CommandResult> GraphicRotateCenter(ScriptContext& c, int32_t n, const Param* p) {
    Layer* layer = n >= 3 ? findLayer(c, p[0].value) : nullptr;
    if (!layer) return std::nullopt;
    LayerLock lock(layerLock());
    layer->rotationCentreX = p[1].value;
    layer->rotationCentreY = p[2].value;
    layer->owner().invalidateAll();
    return std::nullopt;
}

std::optional<CommandResult> GraphicRotateScroll(ScriptContext& c, int32_t n, const Param* p) {
    Layer* layer = n >= 3 ? findLayer(c, p[0].value) : nullptr;
    if (!layer) return std::nullopt;
    LayerLock lock(layerLock());
    layer->rotationTarget = p[1].value;
    if (p[2].value <= 0) {
        layer->angle = p[1].value;
        layer->rotationMode = 0;
        layer->owner().invalidateAll();
        return std::nullopt;
    }
    layer->rotationMode = 1;
    layer->rotationRate = ratePerMs(p[1].value - layer->angle, p[2].value);
    return std::nullopt;
}

std::optional<CommandResult> GraphicRotateScrollLoop(ScriptContext& c, int32_t n, const Param* p) {
    Layer* layer = n >= 1 ? findLayer(c, p[0].value) : nullptr;
    if (!layer) return std::nullopt;
    LayerLock lock(layerLock());
    if (n < 3) {
        layer->rotationMode = 0;
        layer->rotationTarget = 0;
        layer->rotationRate = 0;
        layer->owner().invalidateAll();
        return std::nullopt;
    }
    layer->rotationMode = 2;
    layer->rotationTarget = p[1].value;
    layer->rotationRate = ratePerMs(p[1].value - layer->angle, p[2].value);
    return std::nullopt;
}

std::optional<CommandResult> GraphicRasterScroll(ScriptContext& c, int32_t n, const Param* p) {
    Layer* layer = n >= 1 ? findLayer(c, p[0].value) : nullptr;
    if (!layer) return std::nullopt;
    LayerLock lock(layerLock());
    layer->owner().invalidateAll();
    if (n == 1) {
        layer->waveActive = false;
        return std::nullopt;
    }
    if (n != 4 && n != 5) return std::nullopt;
    int32_t time = n == 5 ? p[4].value : 0;
    if (layer->waveActive) {
        layer->waveAmplitudeRate = ratePerMs(p[1].value - layer->waveAmplitude, time);
    } else {
        layer->waveHalfWaves = p[2].value;
        layer->wavePeriod = p[3].value;
        layer->waveActive = true;
        layer->waveAmplitudeRate = ratePerMs(p[1].value, time);
        layer->wavePhase = 0;
    }
    layer->waveAmplitude = p[1].value;
    layer->waveBlendTime = std::max(time, 0);
    return std::nullopt;
}

// The box of a scroll towards a target: from the position to the target, one pixel more on the
// far side when the target lies below the position.
void boxTowards(double from, int32_t to, int32_t& low, int32_t& high) {
    auto position = static_cast<int32_t>(from);
    if (from < to) {
        low = position;
        high = to;
    } else {
        low = to;
        high = position + 1;
    }
}

// The forms of `GraphicScroll` and `GraphicScrollLoop`; `state` is 1 (stop at the edge) or 2 (wrap).
void startScroll(ScriptContext& c, int32_t n, const Param* p, int32_t state) {
    Layer* layer = n >= 1 ? findLayer(c, p[0].value) : nullptr;
    if (!layer) return;
    LayerLock lock(layerLock());
    Layer& l = *layer;
    auto box = [&](int32_t minX, int32_t minY, int32_t maxX, int32_t maxY) {
        l.scrollMinX = minX;
        l.scrollMinY = minY;
        l.scrollMaxX = maxX;
        l.scrollMaxY = maxY;
    };
    auto towards = [&](double vx, double vy, int32_t x, int32_t y) {
        if (x == static_cast<int32_t>(l.x) && y == static_cast<int32_t>(l.y)) return;
        l.scrollVelocityX = vx;
        l.scrollVelocityY = vy;
        boxTowards(l.x, x, l.scrollMinX, l.scrollMaxX);
        boxTowards(l.y, y, l.scrollMinY, l.scrollMaxY);
        l.scrollState = state;
    };
    switch (n) {
    case 1:
        if (l.scrollState == 2) l.scrollState = 1;
        return;
    case 4: {
        int32_t time = std::max(p[1].value, 1);
        towards((p[2].value - l.x) / time, (p[3].value - l.y) / time, p[2].value, p[3].value);
        return;
    }
    case 5: {
        double dx = p[3].value - l.x, dy = p[4].value - l.y, length = std::hypot(dx, dy);
        if (length == 0) return;
        double speed = std::abs(double(p[2].value)) / std::max(p[1].value, 1);
        towards(dx / length * speed, dy / length * speed, p[3].value, p[4].value);
        return;
    }
    case 7:
        l.scrollVelocityX = p[1].value / 1000.0;
        l.scrollVelocityY = p[2].value / 1000.0;
        box(p[3].value, p[4].value, p[5].value, p[6].value);
        l.scrollState = state;
        return;
    case 8: {
        int32_t time = std::max(p[1].value, 1);
        l.scrollVelocityX = double(p[2].value) / time;
        l.scrollVelocityY = double(p[3].value) / time;
        box(p[4].value, p[5].value, p[6].value, p[7].value);
        l.scrollState = state;
        return;
    }
    default: return;
    }
}

std::optional<CommandResult> GraphicScroll(ScriptContext& c, int32_t n, const Param* p) {
    startScroll(c, n, p, 1);
    return std::nullopt;
}

std::optional<CommandResult> GraphicScrollLoop(ScriptContext& c, int32_t n, const Param* p) {
    if (n == 7 || n == 8) startScroll(c, n, p, 2);
    return std::nullopt;
}

std::optional<CommandResult> GraphicScrollWait(ScriptContext& c, int32_t n, const Param* p) {
    pollUntil(c, [&] {
        for (int32_t i = 0; i < n; ++i)
            if (Layer* layer = findLayer(c, p[i].value); layer && layer->scrollState == 1) return false;
        return true;
    });
    return std::nullopt;
}

std::optional<CommandResult> GraphicCache(ScriptContext& c, int32_t n, const Param* p) {
    if (n < 1 || !c.layers) return std::nullopt;
    LayerLock lock(layerLock());
    makeCache(renderer().cache(), *c.layers, p[0].value, c.engine.baseWidth, c.engine.baseHeight);
    return std::nullopt;
}

std::optional<CommandResult> GraphicCacheDelete(ScriptContext& c, int32_t, const Param*) {
    LayerLock lock(layerLock());
    renderer().cache() = {};
    if (c.layers) c.layers->invalidateAll();
    return std::nullopt;
}

std::optional<CommandResult> GraphicTextRect(ScriptContext& c, int32_t n, const Param* p) {
    Layer* layer = n >= 5 ? findLayer(c, p[0].value) : nullptr;
    if (!layer) return std::nullopt;
    LayerLock lock(layerLock());
    layer->textRect = {p[1].value, p[2].value, p[3].value, p[4].value};
    layer->cursorX = layer->previousCursorX = p[1].value;
    layer->cursorY = layer->previousCursorY = p[2].value;
    return std::nullopt;
}

std::optional<CommandResult> GraphicTextNoWait(ScriptContext& c, int32_t n, const Param* p) {
    Layer* layer = n >= 1 ? findLayer(c, p[0].value) : nullptr;
    if (layer) layer->textWithoutWait = n < 2 || p[1].value != 0;
    return std::nullopt;
}

std::optional<CommandResult> GraphicPositionX(ScriptContext& c, int32_t n, const Param* p) {
    Layer* layer = n == 1 ? findLayer(c, p[0].value) : nullptr;
    if (!layer) return CommandResult::none();
    return CommandResult::integer(truncatedPixel(layer->x));
}

std::optional<CommandResult> GraphicPositionY(ScriptContext& c, int32_t n, const Param* p) {
    Layer* layer = n == 1 ? findLayer(c, p[0].value) : nullptr;
    if (!layer) return CommandResult::none();
    return CommandResult::integer(truncatedPixel(layer->y));
}

}  // namespace

void registerGraphicMotionCommands(script::CommandTable& t) {
    t.setHandler("GraphicScale", GraphicScale);
    t.setHandler("GraphicScaleCenter", GraphicScaleCenter);
    t.setHandler("GraphicScaleScroll", GraphicScaleScroll);
    t.setHandler("GraphicRotate", GraphicRotate);
    t.setHandler("GraphicRotateCenter", GraphicRotateCenter);
    t.setHandler("GraphicRotateScroll", GraphicRotateScroll);
    t.setHandler("GraphicRotateScrollLoop", GraphicRotateScrollLoop);
    t.setHandler("GraphicRasterScroll", GraphicRasterScroll);
    t.setHandler("GraphicScroll", GraphicScroll);
    t.setHandler("GraphicScrollLoop", GraphicScrollLoop);
    t.setHandler("GraphicScrollWait", GraphicScrollWait);
    t.setHandler("GraphicCache", GraphicCache);
    t.setHandler("GraphicCacheDelete", GraphicCacheDelete);
    t.setHandler("GraphicTextRect", GraphicTextRect);
    t.setHandler("GraphicTextNoWait", GraphicTextNoWait);
    t.setHandler("GraphicPositionX", GraphicPositionX);
    t.setHandler("GraphicPositionY", GraphicPositionY);
}

}  // namespace qeli::graphics
