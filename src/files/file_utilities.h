// File-system questions the engine asks by game name (Shift-JIS, backslashes, any letter case):
// whether a file or folder exists, creating a folder path, and a file's times.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/file_system.h"

namespace qeli::files {

// True when the name (its last component may hold the wildcards * and ?) finds an entry that is not
// a directory.
bool fileExists(std::string_view name);
// True when the path, without one trailing separator, names a directory.
bool directoryExists(std::string_view path);
// Creates every missing folder of the path; false at the first level that can neither be found nor
// created.
bool createDirectoryPath(std::string_view path);
// Copies a file over another (created when missing); false when the source is missing or the copy fails.
bool copyFile(std::string_view from, std::string_view to);
// Deletes a file; false when there is none or it cannot be deleted.
bool deleteFile(std::string_view name);
// Creation, last-access and last-write times in local time; null when the file cannot be opened.
std::optional<platform::FileTimes> fileTimes(std::string_view name);

// Windows wildcard matching of one name component, without regard to ASCII letter case. `utf8`
// says how characters are counted for '?': UTF-8 sequences, else Shift-JIS pairs.
bool matchesWildcard(std::string_view pattern, std::string_view name, bool utf8);

}  // namespace qeli::files
