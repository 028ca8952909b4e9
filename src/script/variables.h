// Variable access shared by parameter binding, result storing and the commands: the index checks with
// their boxes, and the special string variables.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "script/command_table.h"
#include "script/script_record.h"

namespace qeli::script {

struct ScriptContext;

// The two families of out-of-range texts: binding a parameter or storing a result, and resolving a
// token for another subsystem.
enum class IndexCheck { Binding, Resolving };

// The Flag or GlobalFlag cell of an element token, or null (after the box) when the index is out of range.
int32_t* flagElement(ScriptContext& context, const ScriptRecord& record, const Token& token, IndexCheck texts);
// The String or GlobalString slot of an element token, or null when the index is out of range; the box
// is shown only when `report` is set.
std::optional<std::string>* stringElement(ScriptContext& context, const ScriptRecord& record, const Token& token,
                                          IndexCheck texts, bool report);
// The reference that parameter binding would give for any token of the record, for subsystems that
// read the variables a script names (choice definitions). An absent String element stays absent, and
// out-of-range indexes show the resolving texts.
Param resolveToken(ScriptContext& context, ScriptRecord& record, int32_t tokenIndex);
// "主人公", "tempglobalstring" or "汎用文字変数"; null for any other name.
std::optional<std::string>* specialString(ScriptContext& context, const char* name);

}  // namespace qeli::script
