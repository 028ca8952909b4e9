// Plain file-system access for the engine: whole-file reads, the current directory, the user's
// runtime folder. Name mapping of game files (Shift-JIS, backslashes, letter case) builds on this.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace qeli::platform {

std::optional<std::vector<uint8_t>> readWholeFile(const std::string& path);
// A binary read-only stream over a file named by a host path; null (errno set) when it cannot be opened.
std::FILE* openFileForReading(const std::filesystem::path& path);
bool fileExists(const std::string& path);
std::string currentDirectory();
bool changeDirectory(const std::string& path);
// The user's runtime folder ($XDG_RUNTIME_DIR, else a private folder under the temporary folder).
std::string runtimeDirectory();

// Writes the bytes to a temporary file beside `path`, flushes it to the disk and renames it over
// `path`, so the old contents survive any failure. 0, or the errno value of the failure.
int replaceFileContents(const std::string& path, std::span<const uint8_t> bytes);

// A file's times in the original system's units (100 ns since 1601-01-01, local time). Creation is
// the birth time where the file system keeps one, else the last status change.
struct FileTimes {
    uint64_t creation = 0;
    uint64_t lastAccess = 0;
    uint64_t lastWrite = 0;
};
std::optional<FileTimes> fileTimes(const std::string& path);

}  // namespace qeli::platform
