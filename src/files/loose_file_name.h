// Finds a game's loose files on disk by the names its scripts use. Those names are Shift-JIS with
// backslashes, written for a file system that ignores letter case; the files may have been copied
// with their names converted to UTF-8 or kept as raw bytes, in any letter case.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qeli::files {

// The path components of a game name: '\' and '/' separate (a backslash that is the trail byte of
// a double-byte character does not); empty components are dropped. A leading separator keeps the
// name absolute (the first component is then "/").
std::vector<std::string> splitGameName(std::string_view name);

// The entry in `directory` that a component names: the name decoded from Shift-JIS, then the raw
// bytes, exactly; otherwise, without regard to ASCII letter case, the decoded spelling before the raw
// one and among equals the smallest name in byte order, so the same entry is chosen every time.
std::optional<std::filesystem::path> findComponent(const std::filesystem::path& directory,
                                                   std::string_view component, bool wantDirectory);

// The existing file or directory that a game name refers to, relative to the current directory.
std::optional<std::filesystem::path> findLooseFile(std::string_view name);

// The path to create a file or directory of that name at: existing folders and an existing entry
// are matched as findLooseFile does; what does not exist yet takes the decoded spelling.
std::filesystem::path looseFilePathForWriting(std::string_view name);

}  // namespace qeli::files
