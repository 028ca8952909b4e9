// SDL input events as the engine's window messages, with Windows virtual-key codes.
#pragma once

#include <SDL.h>

#include <optional>

#include "platform/window_messages.h"

namespace qeli::platform {

// The virtual-key code of a physical key, 0 for keys the original's keyboard layout does not have.
int virtualKeyFromScancode(SDL_Scancode scancode);
std::optional<WindowMessage> translateSdlEvent(const SDL_Event& event);

}  // namespace qeli::platform
