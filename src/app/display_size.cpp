#include "app/display_size.h"

#include <algorithm>

#include "app/engine_state.h"

namespace qeli::app {

std::optional<platform::DisplayMode> autoDisplayMode(const std::vector<platform::DisplayMode>& modes, int width,
                                                     int height) {
    std::optional<platform::DisplayMode> best;
    for (const auto& mode : modes) {
        bool depthFits = mode.bitsPerPixel == 16 || mode.bitsPerPixel == 24 || mode.bitsPerPixel == 32;
        if (!depthFits || mode.width < width || mode.height < height) continue;
        if (!best || mode.width + mode.height < best->width + best->height) best = mode;
        if (best->width == width && best->height == height) break;
    }
    return best;
}

void computeDisplaySize(EngineState& state) {
    switch (state.displaySizeMode) {
    case 0:
        if (auto mode = autoDisplayMode(platform::displayModes(), state.baseWidth, state.baseHeight)) {
            state.displayWidth = mode->width;
            state.displayHeight = mode->height;
        } else {
            state.displayWidth = state.baseWidth;
            state.displayHeight = state.baseHeight;
        }
        break;
    case 1: {
        platform::DisplayMode desktop = platform::desktopMode();
        state.displayWidth = desktop.width;
        state.displayHeight = desktop.height;
        break;
    }
    case 2:
        state.displayWidth = state.chosenDisplayWidth;
        state.displayHeight = state.chosenDisplayHeight;
        break;
    default: break;
    }
}

void fitWindowIntoWorkArea(EngineState& state, const platform::WindowMetrics& m) {
    double rx = static_cast<double>(m.maximizedWidth) / (m.frameWidth + state.windowWidth);
    double ry = static_cast<double>(m.maximizedHeight) / (m.frameHeight + m.captionHeight + state.windowHeight);
    float s = static_cast<float>(std::min(rx, ry));
    if (s < 1.0f) {
        state.windowWidth = static_cast<int32_t>(state.windowWidth * s);
        state.windowHeight = static_cast<int32_t>(state.windowHeight * s);
    }
}

}  // namespace qeli::app
