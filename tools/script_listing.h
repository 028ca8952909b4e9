// The readable listing of a compiled script that `qeli-tool script disasm` prints: the code by
// position with commands, parameters, targets, labels and blocks, then the token table and the data
// area. Safe on any tables: every offset and index is checked.
#pragma once

#include <string>

#include "script/script_record.h"

namespace qeli::tools {

std::string listCompiledScript(const script::CompiledScript& script, bool scrambled);

}  // namespace qeli::tools
