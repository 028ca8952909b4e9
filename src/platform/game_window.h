// The one window a game is shown in, as the backend provides it: create, place, show, full screen at
// the desktop's resolution, present a 32-bit frame scaled into a rectangle of the client area (the
// rest black), a popup menu drawn over the picture, the cursor's visibility and pixel read-back for
// tests. The engine's window logic (messages, menus, sizes) lives in app/; this is only the surface.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/menu.h"

namespace qeli::platform {

struct WindowPlacement {
    int x = 0;
    int y = 0;
    int clientWidth = 640;
    int clientHeight = 480;
    bool sizable = false;
    std::string title;  // UTF-8
};

// Where the frame goes in the client area, in client pixels.
struct PictureRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// A frame as the engine keeps it: pixels 0x00RRGGBB (bytes blue, green, red, spare), rows bottom-up,
// `width` pixels apart. Only borrowed for the call it is passed to.
struct FrameView {
    const uint32_t* bottomRow = nullptr;
    int width = 0;
    int height = 0;
};

// Pixels 0x00RRGGBB, rows top-down.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

struct ClientSize {
    int width = 0;
    int height = 0;
};

// These run on the main thread.
bool createGameWindow(const WindowPlacement& placement);
void destroyGameWindow();
bool hasGameWindow();
void showGameWindow(bool show);
// A window (not full screen) of this client size at this place.
void placeGameWindow(const WindowPlacement& placement);
// Full screen on the desktop's own resolution (no mode change); false when it cannot be done.
bool setGameWindowFullScreen(bool fullScreen);
ClientSize gameWindowClientSize();
void setGameWindowTitle(const std::string& title);
// The menu is shown at a client point until an item is chosen (a WM_COMMAND message follows) or it
// is dismissed; WM_ENTERMENULOOP and WM_EXITMENULOOP bracket it.
void openPopupMenu(Menu menu, int clientX, int clientY);
void showSystemCursor(bool show);
// What the window shows now, as read back from it (headless: the last frame presented, unscaled).
Picture readGameWindowPixels();

// The frame already presented, shown at another place (after a resize or a full-screen switch).
void setPictureRect(PictureRect where);

// Any thread: the frame is copied and shown at `where` on the main thread's next turn.
void presentFrame(FrameView frame, PictureRect where);
// The last frame presented, unscaled (for screenshots); empty before the first one.
Picture lastPresentedFrame();

// A top-down copy of the frame, spare bytes cleared.
Picture copyFrame(FrameView frame);

// Timer messages: WM_TIMER with wParam `id` every `periodMs` until killed. Any thread.
void setWindowTimer(uint32_t id, uint32_t periodMs);
void killWindowTimer(uint32_t id);

}  // namespace qeli::platform
