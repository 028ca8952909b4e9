#include "platform/headless/virtual_scheduler.h"

#include <algorithm>
#include <limits>

namespace qeli::platform {

namespace {
constexpr uint64_t kNever = std::numeric_limits<uint64_t>::max();
}

VirtualScheduler::VirtualScheduler(HeadlessOptions options)
    : m_limit(options.timeLimitMs), m_onTimeLimit(std::move(options.onTimeLimit)) {}

uint64_t VirtualScheduler::now() const {
    std::lock_guard lock(m_mutex);
    return m_now;
}

int VirtualScheduler::addTimer(TickOrder order, uint32_t periodMs, std::function<void()> tick) {
    std::lock_guard lock(m_mutex);
    uint32_t period = std::max<uint32_t>(periodMs, 1);
    int id = m_nextId++;
    m_timers.push_back(std::make_shared<Timer>(Timer{id, order, period, m_now + period, std::move(tick)}));
    return id;
}

void VirtualScheduler::removeTimer(int id) {
    std::lock_guard lock(m_mutex);
    std::erase_if(m_timers, [id](const auto& t) { return t->id == id; });
}

uint64_t VirtualScheduler::nextDueInstant() const {
    uint64_t next = kNever;
    for (const auto& t : m_timers) next = std::min(next, t->due);
    return next;
}

std::shared_ptr<VirtualScheduler::Timer> VirtualScheduler::nextDueTimer(uint64_t target) {
    std::shared_ptr<Timer> best;
    for (const auto& t : m_timers) {
        if (t->due > target) continue;
        if (!best || t->due < best->due || (t->due == best->due && t->order < best->order)) best = t;
    }
    return best;
}

void VirtualScheduler::advanceTo(uint64_t target) {
    for (;;) {
        std::shared_ptr<Timer> timer;
        {
            std::lock_guard lock(m_mutex);
            timer = nextDueTimer(target);
            if (!timer) {
                m_now = std::max(m_now, target);
                return;
            }
            m_now = std::max(m_now, timer->due);
            timer->due += timer->period;
        }
        timer->tick();
    }
}

void VirtualScheduler::reachLimit() {
    std::function<void()> onLimit;
    {
        std::lock_guard lock(m_mutex);
        if (m_limitReached) return;
        m_limitReached = true;
        onLimit = m_onTimeLimit;
    }
    if (onLimit) onLimit();
}

bool VirtualScheduler::waitUntil(std::unique_lock<std::mutex>& lock, const std::function<bool()>& ready,
                                 std::optional<uint32_t> timeoutMs) {
    const uint64_t start = now();
    const uint64_t deadline = timeoutMs ? start + *timeoutMs : kNever;
    for (;;) {
        if (ready()) return true;
        uint64_t next;
        {
            std::lock_guard guard(m_mutex);
            if (m_now >= deadline) return false;
            if (m_now >= m_limit) next = kNever;
            else next = std::min({nextDueInstant(), deadline, m_limit});
        }
        lock.unlock();
        if (next == kNever) {
            // Nothing can end this wait any more: the run has reached its time limit.
            reachLimit();
            lock.lock();
            return ready();
        }
        advanceTo(next);
        lock.lock();
    }
}

}  // namespace qeli::platform
