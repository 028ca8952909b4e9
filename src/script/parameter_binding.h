// Binding a command's parameter tokens to references, and storing a command's result into the
// variable that the code named as its target.
#pragma once

#include <cstdint>

#include "script/command_table.h"
#include "script/script_record.h"
#include "script/variables.h"

namespace qeli::script {

struct ScriptContext;

// Fills `param` for the token; an index out of range shows its box (in the family `texts`) and reads as
// 0 or an empty text. An absent String element is created empty, or left absent.
void bindReference(ScriptContext& context, ScriptRecord& record, int32_t tokenIndex, Param& param, IndexCheck texts,
                   bool createAbsentStrings);
// Fills `param` for the token; an index out of range shows its box and reads as 0 or an empty text.
void bindParameter(ScriptContext& context, ScriptRecord& record, int32_t tokenIndex, Param& param);
void storeResult(ScriptContext& context, ScriptRecord& record, int32_t targetToken, const CommandResult& result);

}  // namespace qeli::script
