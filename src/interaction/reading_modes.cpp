#include "interaction/reading_modes.h"

namespace qeli::interaction {

// TODO: the reading modes arrive with the key wait; until then no mode is ever on.
void applyReadingModeRules(script::ScriptContext&) {}
bool skipping(const script::ScriptContext&) { return false; }
// TODO: the input counters arrive with the key wait.
void resynchroniseInput(script::ScriptContext&) {}

}  // namespace qeli::interaction
