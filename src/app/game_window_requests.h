// What the game window does, on the main thread, for the requests the script engine sends it: the
// "タイトルへ戻る" menu command (40023) and WM_CLOSE. The game window's procedure will call these when
// it exists; until then the script commands call them through the main thread's queue.
#pragma once

#include <cstdint>

#include "app/engine_state.h"

namespace qeli::app {

// Menu command 40023: with `lParam` 0 (chosen from the menu, or `Restart` without its no-question
// flag) asks the player first; on OK, or at once otherwise, sets the restart flag.
void returnToTitle(EngineState& state, intptr_t lParam);
// WM_CLOSE: asks the player; on OK records the quit, sets the script-exit flag and destroys the game
// window, which ends the main thread's loop. Returns whether the window closed.
bool closeGameWindow(EngineState& state);

}  // namespace qeli::app
