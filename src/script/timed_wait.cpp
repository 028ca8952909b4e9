#include "script/timed_wait.h"

#include <algorithm>

#include "platform/clock.h"

namespace qeli::script {

namespace {
constexpr uint32_t kPollMs = 100;
}

WaitEnd waitFromClock(const app::EngineState& engine, uint32_t start, uint32_t ms,
                      const std::function<bool()>& skipping) {
    for (;;) {
        // Unsigned difference: the millisecond clock may wrap during the wait.
        uint32_t elapsed = platform::nowMs() - start;
        if (elapsed >= ms) return WaitEnd::Elapsed;
        if (engine.interrupted()) return WaitEnd::Interrupted;
        if (skipping()) return WaitEnd::Skipped;
        platform::sleepMs(std::min(ms - elapsed, kPollMs));
    }
}

}  // namespace qeli::script
