// Choosing the full-screen resolution and fitting the game window into the work area.
#pragma once

#include <optional>
#include <vector>

#include "platform/display.h"

namespace qeli::app {

struct EngineState;

// The AUTO display mode for a w x h game: the first mode at least that large in 16, 24 or 32 bits,
// replaced only by a later one with a strictly smaller width plus height; an exact fit ends the search.
std::optional<platform::DisplayMode> autoDisplayMode(const std::vector<platform::DisplayMode>& modes, int width,
                                                     int height);
// The display size for the engine's display-size mode (0 AUTO, 1 desktop, 2 chosen).
void computeDisplaySize(EngineState& state);
// Scales the window size down, aspect kept, when it does not fit beside the frame and caption.
void fitWindowIntoWorkArea(EngineState& state, const platform::WindowMetrics& metrics);

}  // namespace qeli::app
