#include "script/compiler.h"

namespace qeli::script {

// TODO: the compiler; until it exists every source text is rejected and reported by the loader.
std::optional<CompiledScript> compileScriptSource(std::span<const uint8_t>) { return std::nullopt; }

}  // namespace qeli::script
