// The timed waits of `Wait` and `TimerWait`: the platform clock in steps of at most 100 ms, so a
// quit, load or restart from the main thread is seen in time and headless runs take no real time.
#pragma once

#include <cstdint>
#include <functional>

#include "app/engine_state.h"

namespace qeli::script {

enum class WaitEnd { Elapsed, Interrupted, Skipped };

// Waits until `ms` have passed since the clock read `start`; ends early when the engine flags
// interrupt the game thread or `skipping` holds.
WaitEnd waitFromClock(const app::EngineState& engine, uint32_t start, uint32_t ms,
                      const std::function<bool()>& skipping);

}  // namespace qeli::script
