#include "graphics/command_support.h"

#include "app/engine_state.h"
#include "graphics/renderer.h"
#include "interaction/reading_modes.h"
#include "platform/clock.h"

namespace qeli::graphics {

Layer* findLayer(ScriptContext& context, int32_t number) {
    return context.layers ? context.layers->find(number) : nullptr;
}

void drawNowUnlessSkipping(ScriptContext& context) {
    if (interaction::skipping(context) && context.engine.settings.skipDrawSmooth) return;
    renderer().drawNow();
}

void waitFrameAtEffectLevel(ScriptContext& context) {
    if (context.engine.effectLevel != 0) renderer().waitFrame();
}

void pollUntil(ScriptContext& context, const std::function<bool()>& done, bool interruptible, uint32_t periodMs) {
    for (;;) {
        {
            LayerLock lock(layerLock());
            if (done()) return;
        }
        if (interruptible && (context.engine.interrupted() || interaction::skipping(context))) return;
        platform::sleepMs(periodMs);
    }
}

}  // namespace qeli::graphics
