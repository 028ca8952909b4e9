// Menu command 40023 ("タイトルへ戻る") and WM_CLOSE: the questions the game window asks for them,
// and the requests the script commands `Restart` and `ScriptExit` send.
#pragma once

#include <cstdint>

#include "app/engine_state.h"

namespace qeli::app {

// Main thread. With `lParam` 0 asks the player first; on OK, or at once otherwise, sets the restart
// flag. True when the flag was set.
bool askReturnToTitle(EngineState& state, intptr_t lParam);
// Main thread. Asks the player; on OK records the quit and sets the script-exit flag.
bool askToQuit(EngineState& state);

// Any thread: menu command 40023 or WM_CLOSE to the game window and wait for it. Without a game
// window (the script engine running on its own) the main thread asks the same questions itself.
void requestReturnToTitle(EngineState& state, intptr_t lParam);
void requestClose(EngineState& state);

}  // namespace qeli::app
