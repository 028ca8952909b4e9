// The game's archives data04, data01, data02, data03 and data05.qlc, searched in that order before
// any loose file. Each index is read once, at the first lookup that reaches it, by whichever thread
// gets there first; the archive file is reopened for every read, so no handle stays open.
#pragma once

#include <array>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "files/archive_index.h"
#include "files/file_data.h"

namespace qeli::files {

inline constexpr std::array<const char*, 5> kArchiveSearchOrder = {"data04.qlc", "data01.qlc", "data02.qlc",
                                                                    "data03.qlc", "data05.qlc"};

// One archive in the current directory. A missing or unreadable archive holds nothing for the rest of
// the run (it is not retried).
class Archive {
public:
    explicit Archive(std::string fileName) : m_fileName(std::move(fileName)) {}

    const std::string& fileName() const { return m_fileName; }
    const ArchiveIndex& index();
    // The entry's data, or null when the name is not here or the archive cannot be reopened.
    std::optional<FileData> read(std::string_view name);
    bool contains(std::string_view name) { return index().find(name) != nullptr; }

private:
    std::string m_fileName;
    std::once_flag m_loaded;
    ArchiveIndex m_index;
};

class ReadOnlyFile;
// The index of an open archive file.
ArchiveIndex readArchiveIndex(ReadOnlyFile& file);
// An entry's data from its open archive file (fewer bytes if the file shrank since its index was read).
std::optional<FileData> readArchiveEntry(ReadOnlyFile& file, const ArchiveEntry& entry);

// The first archive in search order that holds the name gives its data.
std::optional<FileData> readFromArchives(std::string_view name);
bool existsInArchives(std::string_view name);

// Forgets every index, so that the next lookup reads the archives of the current directory afresh
// (tests, and tools that change the game folder).
void resetArchives();

}  // namespace qeli::files
