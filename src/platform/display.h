// What the engine asks about the screen: the display modes of the primary display, the desktop's
// mode and the sizes that decide how large a window fits.
#pragma once

#include <vector>

namespace qeli::platform {

struct DisplayMode {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
};

// The size a maximized window gets, and the sizes a dialog-framed, captioned window adds.
struct WindowMetrics {
    int maximizedWidth = 0;
    int maximizedHeight = 0;
    int frameWidth = 0;
    int frameHeight = 0;
    int captionHeight = 0;
};

std::vector<DisplayMode> displayModes();
DisplayMode desktopMode();
WindowMetrics windowMetrics();

}  // namespace qeli::platform
