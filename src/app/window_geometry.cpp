#include "app/window_geometry.h"

#include <algorithm>

namespace qeli::app {

PictureArea letterbox(int32_t baseWidth, int32_t baseHeight, int32_t screenWidth, int32_t screenHeight) {
    if (baseWidth <= 0 || baseHeight <= 0) return {0, 0, screenWidth, screenHeight};
    float factor = std::min(static_cast<float>(screenWidth) / static_cast<float>(baseWidth),
                            static_cast<float>(screenHeight) / static_cast<float>(baseHeight));
    auto width = static_cast<int32_t>(static_cast<float>(baseWidth) * factor);
    auto height = static_cast<int32_t>(static_cast<float>(baseHeight) * factor);
    return {(screenWidth - width) / 2, (screenHeight - height) / 2, width, height};
}

PictureArea keepAspect(int32_t baseWidth, int32_t baseHeight, int32_t oldWidth, int32_t, int32_t newWidth,
                       int32_t newHeight) {
    if (baseWidth <= 0 || baseHeight <= 0) return {0, 0, newWidth, newHeight};
    if (newWidth != oldWidth) {
        auto height = static_cast<int32_t>(int64_t{newWidth} * baseHeight / baseWidth);
        return {0, 0, newWidth, std::max(height, 1)};
    }
    auto width = static_cast<int32_t>(int64_t{newHeight} * baseWidth / baseHeight);
    return {0, 0, std::max(width, 1), newHeight};
}

}  // namespace qeli::app
