// What backends need of the message-box service beyond the public interface.
#pragma once

#include <optional>

#include "platform/message_box.h"

namespace qeli::platform {

// The answer a headless run was told to give to the next box, if any.
std::optional<BoxAnswer> takeQueuedMessageBoxAnswer();

}  // namespace qeli::platform
