// The engine's windows: `classWindow` (the base of every engine window: its system window, surfaces,
// hook list, input counting, cursor and the private messages every window handles) and the interface
// of the objects that want a window's messages, `classWindowMessageHook`. The game window itself is
// `classMainWindow` (main_window.h). Window procedures run on the main thread only.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "app/engine_state.h"
#include "graphics/layer_set.h"
#include "graphics/surface.h"
#include "platform/game_window.h"
#include "platform/menu.h"

namespace qeli::app {

class classWindowMessageHook {
public:
    virtual ~classWindowMessageHook() = default;
    virtual intptr_t messageHandler(uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
    // Set while the hook must not be disturbed (a movie plays): no full-screen switch meanwhile.
    std::atomic<bool> busy{false};
};

inline constexpr int kMaxHooks = 16;

// What the window counts on the main thread for the waits of the game thread.
struct InputCounters {
    std::atomic<uint32_t> decidePresses{0};
    std::atomic<uint32_t> windowErasePresses{0};
    std::atomic<uint32_t> leftPresses{0};
    std::atomic<uint32_t> rightPresses{0};
    std::atomic<uint32_t> middlePresses{0};
    std::atomic<bool> leftDown{false};
    std::atomic<bool> rightDown{false};
    std::atomic<bool> middleDown{false};
    std::atomic<int32_t> wheelTotal{0};
    // Main thread only: a held key counts once until it is released.
    bool decideMark = false;
    bool windowEraseMark = false;
};

struct GamePoint {
    int32_t x = 0;
    int32_t y = 0;
};

class classWindow {
public:
    explicit classWindow(EngineState& state);
    virtual ~classWindow();
    classWindow(const classWindow&) = delete;
    classWindow& operator=(const classWindow&) = delete;

    virtual intptr_t windowProcedure(uint32_t message, uintptr_t wParam, intptr_t lParam);
    // Main thread: makes the system window and the surfaces. Always succeeds as far as the game
    // thread is concerned; a window the backend could not make leaves `hasSystemWindow` false.
    virtual bool createWindow();
    virtual bool destroyWindow();

    // Any thread: through the application window, so that the window belongs to the main thread.
    bool createOnMainThread();
    void destroyOnMainThread();
    // Any thread: the window procedure on the main thread, with its result (SendMessage).
    intptr_t send(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0);
    // Any thread: the window procedure on the main thread's next turn (PostMessage).
    void post(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0);

    void show(bool show);
    bool addHook(classWindowMessageHook* hook);
    bool removeHook(classWindowMessageHook* hook);
    bool anyHookBusy() const;
    // A client point in game (base) coordinates.
    GamePoint mapMousePoint(int32_t x, int32_t y) const;
    // With the layer lock held (the renderer): shows the frame surface at the picture offset.
    void present();
    // Main thread: the picture shown again at the current offset and size, without the layer lock.
    void showPicture();

    bool hasSystemWindow() const { return m_hasSystemWindow; }
    bool destroyed() const { return m_destroyed.load(); }
    bool menuOpen() const { return m_menuOpen; }
    bool cursorHidden() const { return m_cursorHidden; }
    int32_t clientWidth() const { return m_clientWidth; }
    int32_t clientHeight() const { return m_clientHeight; }
    int32_t xOffset() const { return m_xOffset; }
    int32_t yOffset() const { return m_yOffset; }
    const std::string& title() const { return m_title; }

    // Placement before creation (game main sets them).
    int32_t x = 0;
    int32_t y = 0;
    bool sizable = false;
    std::string className = "QeliWindowClass";

    InputCounters input;
    std::atomic<bool> paintingOff{false};
    // What the window shows, what layers are composed into, and the picture under the weather.
    graphics::Surface frameSurface;
    graphics::Surface workSurface;
    graphics::Surface weatherBackgroundSurface;
    // The layers drawn into this window; replaced by the game thread for each run.
    std::unique_ptr<graphics::LayerSet> layerSet;

protected:
    // Hooks first, then the default processing.
    intptr_t passOn(uint32_t message, uintptr_t wParam, intptr_t lParam);
    // The abort notice: WM_DESTROY (2, 0, 0) to every hook's handler, which ends any running wait.
    void abortNotice();
    void showPopupMenu(int32_t clientX, int32_t clientY);
    void setClientArea(int32_t width, int32_t height, int32_t xOffset, int32_t yOffset);
    platform::WindowPlacement placement() const;

    EngineState& m_state;
    platform::Menu m_popupMenu;
    std::string m_title;
    int32_t m_clientWidth = 640;
    int32_t m_clientHeight = 480;
    int32_t m_xOffset = 0;
    int32_t m_yOffset = 0;
    bool m_menuOpen = false;
    bool m_cursorHidden = false;
    bool m_hasSystemWindow = false;
    std::atomic<bool> m_destroyed{false};
    // The last client point the mouse was seen at, for menus opened from the keyboard.
    int32_t m_mouseX = 0;
    int32_t m_mouseY = 0;

private:
    intptr_t defaultProcedure(uint32_t message, uintptr_t wParam, intptr_t lParam);
    bool countKey(uint32_t message, uintptr_t key, intptr_t lParam);
    // MSG_CONFIRM_*: wParam and lParam point to the caption and text as UTF-8 std::strings.
    intptr_t confirm(uint32_t message, uintptr_t caption, intptr_t text);

    // Held while the hooks run, so that a hook is never removed (and freed) during its handler.
    mutable std::recursive_mutex m_hookMutex;
    classWindowMessageHook* m_hooks[kMaxHooks] = {};
    int m_hookCount = 0;
};

}  // namespace qeli::app
