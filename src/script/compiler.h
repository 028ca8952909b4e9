// The script compiler for scripts given as source text: checks the text, then compiles it into the
// tables of a compiled script.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "script/compiler_messages.h"
#include "script/script_record.h"

namespace qeli::script {

// The compiled tables, or nothing when a check rejects the source. Every message goes to `reporter`;
// messages that do not reject leave the script compiled.
std::optional<CompiledScript> compileScriptSource(std::span<const uint8_t> source, CompilerReporter& reporter);

}  // namespace qeli::script
