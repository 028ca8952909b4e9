// `qeli-tool script`: compile source text to `.qls`, check source text and print every message of the
// compiler, list a compiled script.
#pragma once

#include <span>
#include <string>

namespace qeli::tools {

// `args` follow the word "script": the action and its arguments. Returns the exit code.
int scriptCommand(std::span<const std::string> args);

}  // namespace qeli::tools
