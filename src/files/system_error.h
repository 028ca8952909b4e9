// The error codes and texts the engine's file boxes show. Games and players know the codes of the
// system the engine was made for, so failures are reported with those codes and their texts.
#pragma once

#include <cstdint>
#include <string>

namespace qeli::files {

inline constexpr uint32_t kErrorFileNotFound = 2;
inline constexpr uint32_t kErrorPathNotFound = 3;
inline constexpr uint32_t kErrorAccessDenied = 5;
inline constexpr uint32_t kErrorOutOfMemory = 14;  // also what a file over the size limit reports

// The code for a C library errno value.
uint32_t systemErrorCode(int errnoValue);
// The system's text for a code (UTF-8, without the trailing line break the system adds).
std::string systemErrorText(uint32_t code);

}  // namespace qeli::files
