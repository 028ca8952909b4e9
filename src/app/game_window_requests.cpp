#include "app/game_window_requests.h"

#include "app/application.h"
#include "app/main_window.h"
#include "app/popup_menu.h"
#include "platform/main_thread.h"
#include "platform/message_box.h"
#include "platform/window_messages.h"

namespace qeli::app {

namespace {

bool confirmed(const char* question, platform::BoxIcon icon, bool topmost) {
    platform::MessageBoxRequest request{"確認", question, platform::BoxButtons::OkCancel, icon, topmost};
    return platform::showMessageBox(request) == platform::BoxAnswer::Ok;
}

}  // namespace

bool askReturnToTitle(EngineState& state, intptr_t lParam) {
    if (lParam == 0 && !confirmed("タイトルへ戻りますか？", platform::BoxIcon::None, false)) return false;
    state.restart = 1;
    return true;
}

bool askToQuit(EngineState& state) {
    // TODO: leave Direct3D full screen for the question and return to it afterwards, when the GPU
    // mode exists.
    if (!confirmed("終了します。よろしいですか？", platform::BoxIcon::Warning, true)) return false;
    state.recordEnd(EndReason::Quit);
    state.scriptExit = 1;
    return true;
}

void requestReturnToTitle(EngineState& state, intptr_t lParam) {
    if (classMainWindow* window = gameWindow()) {
        window->send(platform::wm::Command, menu_id::ReturnToTitle, lParam);
        return;
    }
    platform::runOnMainThread([&state, lParam] { return intptr_t{askReturnToTitle(state, lParam)}; });
}

void requestClose(EngineState& state) {
    if (classMainWindow* window = gameWindow()) {
        window->send(platform::wm::Close);
        return;
    }
    platform::runOnMainThread([&state] {
        // With no window to destroy, its WM_DESTROY's work is done here: the main loop ends.
        if (askToQuit(state)) platform::quitMainLoop(0);
        return intptr_t{0};
    });
}

}  // namespace qeli::app
