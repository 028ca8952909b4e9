// The checks the compiler runs over source text before compiling it: quotations, the three kinds of
// brackets, doubled operators and full-width spaces. Each failure is reported; any rejects the script.
#pragma once

#include "script/compiler_messages.h"

namespace qeli::script {

// Runs the checks in order and stops at the first that fails; true when the text passed them all.
bool checkSource(const SourceText& source, CompilerReporter& reporter);

}  // namespace qeli::script
