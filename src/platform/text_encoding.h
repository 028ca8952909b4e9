// Shift-JIS (code page 932) and UTF-8. The engine keeps text as Shift-JIS bytes as the games wrote
// it; it converts only where text meets the outside world (boxes, file names, JSON).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qeli::platform {

// Bytes that cannot be decoded become U+FFFD; never fails.
std::string cp932ToUtf8(std::string_view cp932);
// Null when a character has no code-page-932 form.
std::optional<std::string> utf8ToCp932(std::string_view utf8);

// The first byte of a double-byte character; scanners step over such pairs as one unit.
constexpr bool isCp932LeadByte(uint8_t c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

}  // namespace qeli::platform
