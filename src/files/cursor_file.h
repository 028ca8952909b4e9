// Windows cursor files: still cursors (.cur, and .ico images used as cursors) and animated cursors
// (.ani, RIFF "ACON"), decoded to RGBA frames. Images compressed as PNG inside a cursor are skipped.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

#include "platform/cursor.h"

namespace qeli::files {

// Null when the bytes hold no usable cursor.
std::optional<platform::CursorAnimation> parseCursorFile(std::span<const uint8_t> bytes);

// A cursor from a game file read by the program-data rule (archive, then loose file); null when
// there is no such file, it is not a cursor, or no cursor can be shown.
std::shared_ptr<platform::Cursor> loadCursorFile(std::string_view name);

}  // namespace qeli::files
