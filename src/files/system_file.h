// Reading and writing the player's system files (System.dat, Already.dat): 10 attempts 100 ms apart,
// then the "File Access Error" box. With continue-without-writing (FileWriteFalseContinue) the first
// failure gives up silently. Abort in a box ends the process at once.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace qeli::files {

// `fullName` is the save folder and the file name (Shift-JIS, backslashes allowed).
std::optional<std::vector<uint8_t>> readSystemFile(std::string_view fullName, bool continueWithoutWriting);
// Replaces the file as a whole: a crash or full disk mid-write leaves the old file intact.
bool writeSystemFile(std::string_view fullName, std::span<const uint8_t> bytes, bool continueWithoutWriting);

}  // namespace qeli::files
