// The interpreter context: the call stack of loaded scripts, the Flag and String tables, the gate and
// the flags the interpreter keeps between commands. One per process, used by the game thread.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/event.h"
#include "script/command_table.h"
#include "script/random_generator.h"
#include "script/script_record.h"

namespace qeli::app {
struct EngineState;
}
namespace qeli::graphics {
class LayerSet;
}
namespace qeli::saved {
struct SystemData;
class ReadTextRecord;
}  // namespace qeli::saved

namespace qeli::script {

inline constexpr int kFlagCount = 65'536;
inline constexpr int kStringCount = 65'536;
inline constexpr int kTimerCount = 16;

struct ScriptContext {
    ScriptContext(const CommandTable& commands, app::EngineState& engine, saved::SystemData& system,
                  saved::ReadTextRecord& readText);

    const CommandTable& commands;
    app::EngineState& engine;
    saved::SystemData& system;
    saved::ReadTextRecord& readText;

    // The layers the running script draws into (the game window's; null without one).
    graphics::LayerSet* layers = nullptr;

    // The call stack, bottom first.
    std::vector<std::unique_ptr<ScriptRecord>> stack;

    std::vector<int32_t> flags = std::vector<int32_t>(kFlagCount, 0);
    std::vector<std::optional<std::string>> strings = std::vector<std::optional<std::string>>(kStringCount);
    std::optional<std::string> tempGlobalString;
    std::optional<std::string> generalString;

    // Closed by the main thread while it saves from the menu; passed before every command.
    platform::Event gate{true, true};
    std::atomic<uint8_t> interruptRunning{0};
    // The read flag of the command being executed, as it was before the command ran.
    uint8_t alreadyRead = 0;
    // The guard against headless scripts that never wait (runaway_guard.h).
    uint32_t commandsSinceRunawayCheck = 0;
    uint64_t timeAtRunawayCheck = 0;
    int idleRunawayChecks = 0;

    // Behind `Random`; seeded from the millisecond clock when the game thread starts.
    RandomGenerator random;
    // Millisecond clock values of `TimerStart`, 0 = not started. They survive restarts.
    std::array<uint32_t, kTimerCount> timers{};
    // The player's reaction time measured by the TTE waits; `TTE` reads and clears it.
    uint32_t tteValue = 0;

    // Pushes an empty record that takes the caller's skip level and sub-menu settings.
    ScriptRecord& push();
    // Unlinks and releases a record wherever it sits in the stack.
    void pop(const ScriptRecord* record);
    void popAll();
    ScriptRecord* top() { return stack.empty() ? nullptr : stack.back().get(); }
    ScriptRecord* bottom() { return stack.empty() ? nullptr : stack.front().get(); }
};

}  // namespace qeli::script
