// Virtual time for headless runs: the clock stands still while the engine computes and jumps from one
// due instant to the next when it waits, running the ticks due by then in a fixed order (input, sound,
// frame). A run is therefore deterministic and takes only as long as its computation.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/backend.h"

namespace qeli::platform {

class VirtualScheduler {
public:
    explicit VirtualScheduler(HeadlessOptions options);

    uint64_t now() const;
    // Returns an id for removeTimer; the first tick is due one period from now.
    int addTimer(TickOrder order, uint32_t periodMs, std::function<void()> tick);
    void removeTimer(int id);

    // The headless form of every wait: see Backend::waitUntil. A wait that nothing can end runs the
    // clock to the time limit.
    bool waitUntil(std::unique_lock<std::mutex>& lock, const std::function<bool()>& ready,
                   std::optional<uint32_t> timeoutMs);

private:
    struct Timer {
        int id;
        TickOrder order;
        uint32_t period;
        uint64_t due;
        std::function<void()> tick;
    };

    // Runs every tick due at or before `target`, then sets the clock to `target`.
    void advanceTo(uint64_t target);
    std::shared_ptr<Timer> nextDueTimer(uint64_t target);
    uint64_t nextDueInstant() const;
    void reachLimit();

    mutable std::mutex m_mutex;
    uint64_t m_now = 0;
    uint64_t m_limit;
    std::function<void()> m_onTimeLimit;
    bool m_limitReached = false;
    int m_nextId = 1;
    std::vector<std::shared_ptr<Timer>> m_timers;
};

}  // namespace qeli::platform
