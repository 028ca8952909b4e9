// The game window, `classMainWindow`: what the game window adds to every engine window: its popup
// menu with the Save, Load and Font sub-menus and their commands, the close question, Escape and
// Alt+Enter, full-screen switching with the picture letterboxed, aspect-kept resizing and the
// cursor's auto-hide.
#pragma once

#include <optional>

#include "app/slot_menu_watcher.h"
#include "app/window.h"

namespace qeli::script {
struct ScriptContext;
}

namespace qeli::app {

class classMainWindow final : public classWindow {
public:
    classMainWindow(EngineState& state, script::ScriptContext& context);
    ~classMainWindow() override;

    intptr_t windowProcedure(uint32_t message, uintptr_t wParam, intptr_t lParam) override;

    // Game main: size and place the window before it is created (centred, sizable when the game
    // allows it).
    void placeForGame(int32_t screenWidth, int32_t screenHeight);
    bool fullScreen() const { return m_state.fullScreen != 0; }
    const platform::Menu& popupMenu() const { return m_popupMenu; }

private:
    std::optional<intptr_t> handleGameMessage(uint32_t message, uintptr_t wParam, intptr_t lParam);
    void onCreate();
    void onDestroy();
    intptr_t onClose(uintptr_t wParam, intptr_t lParam);
    void onSize(int32_t width, int32_t height);
    void onMouseActivity();
    void onInitMenuPopup();
    intptr_t onCommand(uint32_t id, intptr_t lParam);
    void onSlotCommand(uint32_t id);
    void setEffectLevel(int32_t level);
    void showSubMenu(uint32_t menuId, intptr_t clientPoint);

    void switchFullScreen(bool on);
    void enterFullScreen();
    void leaveFullScreen();
    bool ask(const char* text);

    script::ScriptContext& m_context;
    SlotMenuWatcher m_watcher;
    // The window as the player left it, restored when full screen ends.
    platform::WindowPlacement m_windowed;
};

}  // namespace qeli::app
