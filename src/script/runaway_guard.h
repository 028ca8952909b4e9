// Headless runs take virtual time only from waits, so a script that loops without ever waiting would
// never reach the time limit. The guard ends such a run as if the limit had been reached.
#pragma once

#include <cstdint>

namespace qeli::script {

struct ScriptContext;

inline constexpr uint32_t kCommandsPerRunawayCheck = 1u << 20;
// About 8 million commands in a row without virtual time moving: far more than a game computes
// between two waits, and a few seconds of real time even in a sanitizer build.
inline constexpr int kDefaultRunawayChecks = 8;

// Called by the interpreter every kCommandsPerRunawayCheck commands.
void checkForRunawayScript(ScriptContext& context);

}  // namespace qeli::script
