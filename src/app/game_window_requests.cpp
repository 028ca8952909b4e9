#include "app/game_window_requests.h"

#include "platform/main_thread.h"
#include "platform/message_box.h"

namespace qeli::app {

namespace {

bool confirmed(const char* question, platform::BoxIcon icon, bool topmost) {
    platform::MessageBoxRequest request{"確認", question, platform::BoxButtons::OkCancel, icon, topmost};
    return platform::showMessageBox(request) == platform::BoxAnswer::Ok;
}

}  // namespace

void returnToTitle(EngineState& state, intptr_t lParam) {
    if (lParam == 0 && !confirmed("タイトルへ戻りますか？", platform::BoxIcon::None, false)) return;
    state.restart = 1;
    // TODO: send the abort notice to the game window's hooks when the window exists.
}

bool closeGameWindow(EngineState& state) {
    // TODO: leave Direct3D full screen for the question and return to it afterwards, when the
    // renderer exists.
    if (!confirmed("終了します。よろしいですか？", platform::BoxIcon::Warning, true)) return false;
    state.recordEnd(EndReason::Quit);
    state.scriptExit = 1;
    // The game window's WM_DESTROY: the game thread leaves its interpreter at the next command.
    platform::quitMainLoop(0);
    return true;
}

}  // namespace qeli::app
