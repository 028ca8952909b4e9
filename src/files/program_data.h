// Reading the game's data files by the names its scripts use (Shift-JIS, backslashes).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace qeli::files {

// The whole file, or nothing when it cannot be found or read.
std::optional<std::vector<uint8_t>> readProgramData(std::string_view name);

}  // namespace qeli::files
