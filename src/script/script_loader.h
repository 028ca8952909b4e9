// Loading a script into a record on the call stack: compiled `.qls` files table by table, anything
// else as source text through the compiler.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "script/script_record.h"

namespace qeli::script {

struct ScriptContext;

bool hasCompiledScriptMagic(std::span<const uint8_t> bytes);
// The tables of a compiled script file; nothing when offsets or counts point outside the file or are
// negative. The data area comes back unscrambled.
std::optional<CompiledScript> parseCompiledScript(std::span<const uint8_t> bytes);

// Loads the file into the record; false (and the record left empty) when it cannot be read or compiled.
bool loadScriptInto(ScriptContext& context, ScriptRecord& record, std::string_view fileName);
// Pushes a record and loads the file into it; a failed load leaves an empty record that ends at once.
ScriptRecord& loadScript(ScriptContext& context, std::string_view fileName);

}  // namespace qeli::script
