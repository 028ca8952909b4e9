// Plain file-system access for the engine: whole-file reads, the current directory, the user's
// runtime folder. Name mapping of game files (Shift-JIS, backslashes, letter case) builds on this.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qeli::platform {

std::optional<std::vector<uint8_t>> readWholeFile(const std::string& path);
bool fileExists(const std::string& path);
std::string currentDirectory();
bool changeDirectory(const std::string& path);
// The user's runtime folder ($XDG_RUNTIME_DIR, else a private folder under the temporary folder).
std::string runtimeDirectory();

}  // namespace qeli::platform
