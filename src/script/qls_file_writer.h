// Writing compiled script tables as a `.qls` file: a 48-byte header, then the code stream, the token
// table and the data area, optionally scrambled.
#pragma once

#include <cstdint>
#include <vector>

#include "script/script_record.h"

namespace qeli::script {

std::vector<uint8_t> writeCompiledScript(const CompiledScript& script, bool scramble);

}  // namespace qeli::script
