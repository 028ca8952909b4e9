// The game window's sizes: the picture letterboxed on a full screen, and a sizable window's new
// client size with the game's aspect ratio kept.
#pragma once

#include <cstdint>

namespace qeli::app {

struct PictureArea {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// The largest picture of the base aspect ratio on the screen, centred (single-precision factor,
// truncated, as the original scaled).
PictureArea letterbox(int32_t baseWidth, int32_t baseHeight, int32_t screenWidth, int32_t screenHeight);

// The player dragged the client area from old to new size: the side that changed leads (the width
// when both did), the other follows with the base aspect ratio.
PictureArea keepAspect(int32_t baseWidth, int32_t baseHeight, int32_t oldWidth, int32_t oldHeight, int32_t newWidth,
                       int32_t newHeight);

}  // namespace qeli::app
