// The clock every sleep and timed wait of the engine goes through, so headless runs use virtual time.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/backend.h"

namespace qeli::platform {

uint32_t nowMs();
uint64_t elapsedMs();
void sleepMs(uint32_t ms);

// Calls `tick` every `periodMs` until destroyed: on a thread of its own with real time, inline at the
// due instants of virtual time in a headless run.
class Ticker {
public:
    Ticker(TickOrder order, uint32_t periodMs, std::function<void()> tick);
    ~Ticker();
    Ticker(const Ticker&) = delete;
    Ticker& operator=(const Ticker&) = delete;

private:
    std::unique_ptr<TickerHandle> m_handle;
};

}  // namespace qeli::platform
