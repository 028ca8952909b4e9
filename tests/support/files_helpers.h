// Small helpers for tests of game files: writing bytes to a file and text as Shift-JIS.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace qeli::testing {

// Writes the file, creating its folders.
void writeFile(const std::filesystem::path& path, std::string_view bytes);
void writeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);
std::string readFileText(const std::filesystem::path& path);
// The Shift-JIS spelling of UTF-8 text (the test's own literals, which always have one).
std::string sjis(std::string_view utf8);
std::vector<uint8_t> bytesOf(std::string_view text);

}  // namespace qeli::testing
