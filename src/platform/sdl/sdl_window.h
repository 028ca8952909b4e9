// The game window over SDL: an SDL window with an SDL_Renderer, a streaming texture that holds the
// last frame, presented with linear scaling into the picture rectangle (black around it), and Dear
// ImGui drawn over the picture for the popup menu and the engine's own message boxes. Everything but
// `presentFrame` runs on the main thread.
#pragma once

#include <SDL.h>

#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/game_window.h"
#include "platform/message_box.h"
#include "platform/sdl/sdl_overlay.h"

namespace qeli::platform {

class SdlWindow {
public:
    // Null (with the reason on stderr) when SDL cannot make the window or its renderer.
    static std::unique_ptr<SdlWindow> create(const WindowPlacement& placement, uint32_t wakeEvent);
    ~SdlWindow();

    void show(bool show);
    void place(const WindowPlacement& placement);
    bool setFullScreen(bool fullScreen);
    ClientSize clientSize() const;
    void setTitle(const std::string& title);
    bool shown() const { return SDL_GetWindowFlags(m_window) & SDL_WINDOW_SHOWN; }

    // Any thread.
    void presentFrame(FrameView frame, PictureRect where);
    void setPictureRect(PictureRect where);
    Picture lastFrame() const;

    // Main thread: an event for the window. True when it was for the overlay (menu or box) only.
    bool handleEvent(const SDL_Event& event);
    // Main thread: draws when a new frame arrived, the window was exposed or the overlay is active.
    void renderIfNeeded();
    bool overlayActive() const { return m_overlay->active(); }
    Picture readPixels();

    void openPopupMenu(Menu menu, int clientX, int clientY) { m_overlay->openMenu(std::move(menu), clientX, clientY); }
    // Runs the box inside the window until the player answers; events for the game wait meanwhile.
    BoxAnswer runMessageBox(const MessageBoxRequest& request);

private:
    SdlWindow() = default;
    void render();
    void uploadPendingFrame();

    SDL_Window* m_window = nullptr;
    SDL_Renderer* m_renderer = nullptr;
    SDL_Texture* m_texture = nullptr;
    int m_textureWidth = 0;
    int m_textureHeight = 0;
    uint32_t m_wakeEvent = 0;
    bool m_needsRender = true;
    std::unique_ptr<SdlOverlay> m_overlay;

    mutable std::mutex m_frameMutex;
    Picture m_frame;  // top-down, as presented last
    PictureRect m_where;
    bool m_frameChanged = false;
};

}  // namespace qeli::platform
