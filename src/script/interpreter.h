// The interpreter loop: steps through the code stream of the script on top of the call stack, binds
// each command's parameters, calls its handler and stores its result.
#pragma once

#include "script/script_context.h"

namespace qeli::script {

enum class RunResult { Finished, Stopped };

// Runs commands of the top record until it ends or a newer record is pushed (true), or until the
// engine flags ask the game thread to stop (false).
bool step(ScriptContext& context);
// Runs the whole call stack: Stopped when the script-exit flag ended it, Finished otherwise.
RunResult run(ScriptContext& context);

}  // namespace qeli::script
