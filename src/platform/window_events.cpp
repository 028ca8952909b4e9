#include "platform/window_events.h"

namespace qeli::platform {

namespace {
WindowMessageHandler& handler() {
    static WindowMessageHandler h;
    return h;
}
}  // namespace

void setWindowMessageHandler(WindowMessageHandler h) { handler() = std::move(h); }

void deliverWindowMessage(const WindowMessage& message) {
    if (handler()) handler()(message);
}

}  // namespace qeli::platform
