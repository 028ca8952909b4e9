// The commands the script engine itself owns, registered into the command table by subsystem.
#pragma once

namespace qeli::script {

class CommandTable;

// `=`, `Random`, `sin`, `cos`, `tan`, `StringLength`, `FlagReset`.
void registerValueCommands(CommandTable& table);
// `If`, `if`, `TTE`, `ScriptCall`, `ScriptJump`, `Return`, `Restart`, `ScriptExit`.
void registerControlFlowCommands(CommandTable& table);
// `Wait`, `TimerStart`, `TimerWait`, `TimerGet`.
void registerTimedWaitCommands(CommandTable& table);

}  // namespace qeli::script
