// How game file names compare: ASCII letters fold to one case, and the trail byte of a Shift-JIS
// double-byte character is never folded (so "ア" and "ヂ", which differ only there, stay different).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/text_encoding.h"

namespace qeli::files {

constexpr uint8_t foldAsciiLetter(uint8_t c) { return (c >= 'A' && c <= 'Z') ? static_cast<uint8_t>(c + 32) : c; }

// Calls visit(byte) for every byte of the Shift-JIS name with ASCII letters folded.
template <typename Visit>
constexpr void forEachFoldedByte(std::string_view name, Visit visit) {
    for (size_t i = 0; i < name.size(); ++i) {
        auto c = static_cast<uint8_t>(name[i]);
        if (platform::isCp932LeadByte(c) && i + 1 < name.size()) {
            visit(c);
            visit(static_cast<uint8_t>(name[++i]));
        } else {
            visit(foldAsciiLetter(c));
        }
    }
}

constexpr bool equalFoldedCp932(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto x = static_cast<uint8_t>(a[i]), y = static_cast<uint8_t>(b[i]);
        if (platform::isCp932LeadByte(x) && i + 1 < a.size()) {
            if (x != y || a[i + 1] != b[i + 1]) return false;
            ++i;
        } else if (foldAsciiLetter(x) != foldAsciiLetter(y)) {
            return false;
        }
    }
    return true;
}

// UTF-8 names: bytes of multi-byte characters are never ASCII letters, so plain folding is exact.
constexpr bool equalFoldedUtf8(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (foldAsciiLetter(static_cast<uint8_t>(a[i])) != foldAsciiLetter(static_cast<uint8_t>(b[i]))) return false;
    return true;
}

}  // namespace qeli::files
