// `error.log` in the current folder: the engine appends one line per file it could not open.
#pragma once

#include <string_view>

namespace qeli::files {

// Appends the bytes of `line` (which carries its own line end) to error.log; failures are ignored,
// since the log is the last resort of error reporting.
void appendErrorLog(std::string_view line);

}  // namespace qeli::files
