// The reading modes (skip, already-read skip, auto) as the interpreter consults them before each
// command.
#pragma once

namespace qeli::script {
struct ScriptContext;
}

namespace qeli::interaction {

// Input counted since the last resynchronisation may end the modes; the mode icons follow the modes.
void applyReadingModeRules(script::ScriptContext& context);
// The skipping predicate: text and waits are being skipped.
bool skipping(const script::ScriptContext& context);

}  // namespace qeli::interaction
