// What the engine draws over the game picture with Dear ImGui: the popup menu and its own message
// boxes (used when the system's boxes cannot be shown), with a Japanese face. Main thread only.
#pragma once

#include <SDL.h>

#include <optional>

#include "platform/menu.h"
#include "platform/message_box.h"

namespace qeli::platform {

class SdlOverlay {
public:
    SdlOverlay() = default;
    ~SdlOverlay();
    SdlOverlay(const SdlOverlay&) = delete;
    SdlOverlay& operator=(const SdlOverlay&) = delete;

    bool start(SDL_Window* window, SDL_Renderer* renderer);

    // A menu or a box is shown: input belongs to the overlay and it is drawn every frame.
    bool active() const { return m_menuState != MenuState::Closed || m_box.has_value(); }
    // True when the event was taken by the overlay.
    bool handleEvent(const SDL_Event& event);
    // Inside a frame: after the picture, before presenting.
    void draw();

    // The chosen item arrives as WM_COMMAND; WM_ENTERMENULOOP and WM_EXITMENULOOP bracket the menu.
    void openMenu(Menu menu, int clientX, int clientY);
    void showBox(const MessageBoxRequest& request);
    // The answer once the player gave one; the box is gone then.
    std::optional<BoxAnswer> takeBoxAnswer();

private:
    enum class MenuState { Closed, Opening, Open };
    void handleKey(SDL_Scancode key);
    void drawMenu();
    void drawBox();
    void closeMenu(uint32_t chosenId);

    bool m_started = false;
    MenuState m_menuState = MenuState::Closed;
    Menu m_menu;
    float m_menuX = 0, m_menuY = 0;
    std::optional<MessageBoxRequest> m_box;
    std::optional<BoxAnswer> m_boxAnswer;
};

}  // namespace qeli::platform
