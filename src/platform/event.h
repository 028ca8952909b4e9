// An event object like the system's: manual-reset (stays set until reset) or auto-reset (one waiter
// takes it). Waits with a time-out go through the backend, so they take no real time when headless.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>

namespace qeli::platform {

class Event {
public:
    Event(bool manualReset, bool initiallySet);
    void set();
    void reset();
    bool isSet() const { return m_set.load(std::memory_order_acquire); }
    // True when the event was signalled, false on time-out. Without a time-out it waits for ever
    // (in a headless run: until the time limit).
    bool wait(std::optional<uint32_t> timeoutMs = std::nullopt) {
        // The gate is passed before every command: an open manual-reset event costs one load.
        if (m_manualReset && isSet()) return true;
        return waitForSignal(timeoutMs);
    }

private:
    bool waitForSignal(std::optional<uint32_t> timeoutMs);

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::atomic<bool> m_set;
    const bool m_manualReset;
};

}  // namespace qeli::platform
