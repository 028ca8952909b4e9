// Where a backend delivers the window messages it translated from its native input events. The game
// window installs its handler here; with none installed, input is dropped.
#pragma once

#include <functional>

#include "platform/window_messages.h"

namespace qeli::platform {

using WindowMessageHandler = std::function<void(const WindowMessage&)>;

void setWindowMessageHandler(WindowMessageHandler handler);
// Called by backends on the main thread.
void deliverWindowMessage(const WindowMessage& message);

}  // namespace qeli::platform
