// Helpers of the control-flow commands that the choice and key-wait commands share: skipping the
// block that follows a command, and finding a label in a loaded script.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "script/script_record.h"

namespace qeli::script {

// When the word at the record's next position is "{", continues at that brace's linked position
// (its "}" or the "{" of its else-block); any other word is left to run.
void skipFollowingBlock(ScriptRecord& record);
// The first token whose name text is the label gives the position; a negative cell is not found.
std::optional<int32_t> findLabel(const ScriptRecord& record, std::string_view label);

}  // namespace qeli::script
