// Reading the game's data files by the names its scripts use (Shift-JIS, backslashes): from the
// archives first, then from a loose file in the game folder.
#pragma once

#include <optional>
#include <string_view>

#include "files/file_data.h"

namespace qeli::files {

// How a loader opens the loose file when no archive holds the name.
enum class LooseFileAccess {
    Plain,           // no box (scripts, settings, cursors, sounds)
    PromptLimited,   // at most 2147483647 bytes, with the Retry/Cancel box (graphics, minigame charts)
};

// The whole file, or nothing when it is in no archive and cannot be read from disk.
std::optional<FileData> readProgramData(std::string_view name, LooseFileAccess access = LooseFileAccess::Plain);

}  // namespace qeli::files
