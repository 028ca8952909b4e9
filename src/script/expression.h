// The assignment command `=`: evaluates the flat list of operands and operator words that compiled
// code gives it (sub-expressions and command calls have already been stored in temporaries).
#pragma once

#include <cstdint>
#include <optional>

#include "script/command_table.h"

namespace qeli::script {

// A string result, an integer result, a result of kind 0, or no result at all (the target keeps its
// value), decided by the kind of the first parameter.
std::optional<CommandResult> evaluateExpression(int32_t count, const Param* params);

}  // namespace qeli::script
