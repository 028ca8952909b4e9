// What the graphic commands share: finding the running script's layers, the redraw after a change
// ("draw now"), the frame waits, and the polling wait of the commands that block.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "graphics/layer_set.h"
#include "script/command_table.h"
#include "script/script_context.h"

namespace qeli::graphics {

using script::CommandResult;
using script::Param;
using script::ScriptContext;

// The layer of that number in the running script's set; null when there is none.
Layer* findLayer(ScriptContext& context, int32_t number);

// Redraws at once, unless the script is being fast-forwarded and the game asked for no smooth
// drawing while skipping (`SkipDrawSmooth`).
void drawNowUnlessSkipping(ScriptContext& context);
// Waits for the next frame when the effect level is not 0.
void waitFrameAtEffectLevel(ScriptContext& context);

// Polls every 100 ms (under the layer lock) until `done` holds or, when `interruptible`, the run is
// interrupted or fast-forwarded.
void pollUntil(ScriptContext& context, const std::function<bool()>& done, bool interruptible = true,
               uint32_t periodMs = 100);

}  // namespace qeli::graphics
