// Holds the installed backend and the clock and event wrappers that forward to it.
#include "platform/backend.h"

#include <cstdio>
#include <cstdlib>

#include "platform/clock.h"
#include "platform/display.h"
#include "platform/event.h"

namespace qeli::platform {

namespace {
std::unique_ptr<Backend> g_backend;
}

void installBackend(std::unique_ptr<Backend> backend) { g_backend = std::move(backend); }
bool hasBackend() { return g_backend != nullptr; }
std::unique_ptr<Backend> uninstallBackend() { return std::move(g_backend); }

Backend& backend() {
    if (!g_backend) {
        std::fputs("qeli: no platform backend installed\n", stderr);
        std::abort();
    }
    return *g_backend;
}

uint32_t nowMs() { return backend().nowMs(); }
uint64_t elapsedMs() { return backend().elapsedMs(); }
void sleepMs(uint32_t ms) { backend().sleepMs(ms); }

std::vector<DisplayMode> displayModes() { return backend().displayModes(); }
DisplayMode desktopMode() { return backend().desktopMode(); }
WindowMetrics windowMetrics() { return backend().windowMetrics(); }

Ticker::Ticker(TickOrder order, uint32_t periodMs, std::function<void()> tick)
    : m_handle(backend().startTicker(order, periodMs, std::move(tick))) {}
Ticker::~Ticker() = default;

Event::Event(bool manualReset, bool initiallySet) : m_set(initiallySet), m_manualReset(manualReset) {}

void Event::set() {
    {
        std::lock_guard lock(m_mutex);
        m_set = true;
    }
    m_changed.notify_all();
}

void Event::reset() {
    std::lock_guard lock(m_mutex);
    m_set = false;
}

bool Event::waitForSignal(std::optional<uint32_t> timeoutMs) {
    std::unique_lock lock(m_mutex);
    bool signalled = backend().waitUntil(lock, m_changed, [this] { return m_set.load(); }, timeoutMs);
    if (signalled && !m_manualReset) m_set = false;
    return signalled;
}

}  // namespace qeli::platform
