#include "script/runaway_guard.h"

#include <cstdio>

#include "app/engine_state.h"
#include "platform/backend.h"
#include "script/script_context.h"

namespace qeli::script {

void checkForRunawayScript(ScriptContext& context) {
    context.commandsSinceRunawayCheck = 0;
    // With a window the player can always close the game; only a headless run needs the guard.
    if (!platform::backend().isHeadless()) return;
    uint64_t now = platform::elapsedMs();
    if (now != context.timeAtRunawayCheck) {
        context.timeAtRunawayCheck = now;
        context.idleRunawayChecks = 0;
        return;
    }
    if (++context.idleRunawayChecks < kIdleChecksBeforeStop) return;
    std::fprintf(stderr, "qeli: the script ran %u commands without waiting for anything; the headless run ends\n",
                 kCommandsPerRunawayCheck * kIdleChecksBeforeStop);
    context.engine.recordEnd(app::EndReason::TimeLimit);
    context.engine.scriptExit = 1;
}

}  // namespace qeli::script
