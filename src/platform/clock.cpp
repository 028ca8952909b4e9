#include "platform/clock.h"

#include "platform/display.h"

namespace qeli::platform {

uint32_t nowMs() { return backend().nowMs(); }
uint64_t elapsedMs() { return backend().elapsedMs(); }
void sleepMs(uint32_t ms) { backend().sleepMs(ms); }

std::vector<DisplayMode> displayModes() { return backend().displayModes(); }
DisplayMode desktopMode() { return backend().desktopMode(); }
WindowMetrics windowMetrics() { return backend().windowMetrics(); }

Ticker::Ticker(TickOrder order, uint32_t periodMs, std::function<void()> tick)
    : m_handle(backend().startTicker(order, periodMs, std::move(tick))) {}
Ticker::~Ticker() = default;

}  // namespace qeli::platform
