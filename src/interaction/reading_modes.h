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
// Forgets the Decide presses and clicks counted so far, so that input during a wait neither ends
// skipping nor counts as a click afterwards.
void resynchroniseInput(script::ScriptContext& context);

}  // namespace qeli::interaction
