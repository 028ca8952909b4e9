// The compiler's last passes over the code it produced: every "{" learns where its block ends (or
// where its else-block starts), every label its position; then label references are checked.
#pragma once

#include "script/compiler_messages.h"
#include "script/script_builder.h"

namespace qeli::script {

// Reports what it finds (nothing of it rejects the script).
void linkCode(ScriptBuilder& builder, const SourceText& source, CompilerReporter& reporter);

}  // namespace qeli::script
