// The step before compiling: source text that starts with a UTF-8 byte-order mark is converted to
// Shift-JIS (code page 932), so that authors may keep their scripts in UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "script/compiler_messages.h"

namespace qeli::script {

bool hasUtf8ByteOrderMark(std::span<const uint8_t> source);

// The text to compile: converted when it starts with the mark, else the text as it is. Nothing, with
// a rejecting message naming the line, when a character has no Shift-JIS form.
std::optional<std::vector<uint8_t>> preconvertScriptSource(std::span<const uint8_t> source,
                                                           CompilerReporter& reporter);

}  // namespace qeli::script
