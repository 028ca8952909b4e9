#include "script/runaway_guard.h"

#include <cstdio>

#include "app/engine_state.h"
#include "platform/clock.h"
#include "script/script_context.h"

namespace qeli::script {

void checkForRunawayScript(ScriptContext& context) {
    context.commandsSinceRunawayCheck = 0;
    const int limit = context.engine.runawayChecks;
    if (limit <= 0) return;
    uint64_t now = platform::elapsedMs();
    if (now != context.timeAtRunawayCheck) {
        context.timeAtRunawayCheck = now;
        context.idleRunawayChecks = 0;
        return;
    }
    if (++context.idleRunawayChecks < limit) return;
    std::fprintf(stderr, "qeli: the script ran %u commands without waiting for anything; the headless run ends\n",
                 kCommandsPerRunawayCheck * static_cast<uint32_t>(limit));
    context.engine.recordEnd(app::EndReason::TimeLimit);
    context.engine.scriptExit = 1;
}

}  // namespace qeli::script
