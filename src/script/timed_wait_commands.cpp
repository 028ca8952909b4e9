// `Wait` and the sixteen timers: `TimerStart`, `TimerWait`, `TimerGet`.
#include "interaction/reading_modes.h"
#include "platform/clock.h"
#include "script/command_table.h"
#include "script/script_commands.h"
#include "script/script_context.h"
#include "script/timed_wait.h"

namespace qeli::script {

namespace {

// The started timer a parameter names, or null.
uint32_t* startedTimer(ScriptContext& context, const Param& param) {
    if (param.value < 0 || param.value >= kTimerCount) return nullptr;
    uint32_t& timer = context.timers[static_cast<size_t>(param.value)];
    return timer != 0 ? &timer : nullptr;
}

std::optional<CommandResult> Wait(ScriptContext& context, int32_t count, const Param* params) {
    if (count < 1 || params[0].value <= 0) return std::nullopt;
    waitFromClock(context.engine, platform::nowMs(), static_cast<uint32_t>(params[0].value),
                  [&context] { return interaction::skipping(context); });
    // Input during the wait neither ends skipping nor counts as a click afterwards.
    if (context.top()->skipLevel != 2) interaction::resynchroniseInput(context);
    return std::nullopt;
}

std::optional<CommandResult> TimerStart(ScriptContext& context, int32_t count, const Param* params) {
    if (count >= 1 && params[0].value >= 0 && params[0].value < kTimerCount)
        context.timers[static_cast<size_t>(params[0].value)] = platform::nowMs();
    return std::nullopt;
}

std::optional<CommandResult> TimerWait(ScriptContext& context, int32_t count, const Param* params) {
    uint32_t* timer = count == 2 ? startedTimer(context, params[0]) : nullptr;
    if (timer)
        waitFromClock(context.engine, *timer, static_cast<uint32_t>(params[1].value),
                      [&context] { return interaction::skipping(context); });
    return std::nullopt;
}

std::optional<CommandResult> TimerGet(ScriptContext& context, int32_t count, const Param* params) {
    uint32_t* timer = count == 1 ? startedTimer(context, params[0]) : nullptr;
    return CommandResult::integer(timer ? static_cast<int32_t>(platform::nowMs() - *timer) : 0);
}

}  // namespace

void registerTimedWaitCommands(CommandTable& table) {
    table.setHandler("Wait", Wait);
    table.setHandler("TimerStart", TimerStart);
    table.setHandler("TimerWait", TimerWait);
    table.setHandler("TimerGet", TimerGet);
}

}  // namespace qeli::script
