// The script compiler for scripts given as source text.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "script/script_record.h"

namespace qeli::script {

// The compiled tables, or nothing when the source is rejected (the compiler has shown why).
std::optional<CompiledScript> compileScriptSource(std::span<const uint8_t> source);

}  // namespace qeli::script
