// The index of a `.qlc` archive: reading it from any byte source without trusting a field, and
// looking names up in it. Layout (little-endian, absolute offsets): a 24-byte header whose words at
// 16 and 20 give the index offset and size; 20-byte index entries (name offset, name length with its
// zero, data offset, data size, unused); zero-terminated Shift-JIS names with backslashes.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qeli::files {

inline constexpr size_t kArchiveHeaderSize = 24;
inline constexpr size_t kArchiveIndexEntrySize = 20;
// Names longer than the original's path buffers cannot have been asked for; longer ones are forged.
inline constexpr uint32_t kArchiveMaxNameLength = 4096;

struct ArchiveEntry {
    uint32_t dataOffset = 0;
    uint32_t dataSize = 0;
    std::string name;  // Shift-JIS, as stored
};

// Reads `count` bytes at `offset` of the archive file; null when they are not all there.
using ArchiveByteSource = std::function<std::optional<std::vector<uint8_t>>(uint64_t offset, uint64_t count)>;

class ArchiveIndex {
public:
    ArchiveIndex() = default;
    explicit ArchiveIndex(std::vector<ArchiveEntry> entries);
    // Moving keeps the entries' strings where they are (the vector's buffer moves), so the lookup
    // table's views stay valid; copying would not.
    ArchiveIndex(ArchiveIndex&&) noexcept = default;
    ArchiveIndex& operator=(ArchiveIndex&&) noexcept = default;
    ArchiveIndex(const ArchiveIndex&) = delete;
    ArchiveIndex& operator=(const ArchiveIndex&) = delete;

    // Entries in index order; entries that could not be read are left out.
    const std::vector<ArchiveEntry>& entries() const { return m_entries; }
    // The first entry in index order whose name equals `name` without regard to ASCII letter case.
    const ArchiveEntry* find(std::string_view name) const;

private:
    struct FoldedHash {
        using is_transparent = void;
        size_t operator()(std::string_view name) const;
    };
    struct FoldedEqual {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    void buildLookup();

    std::vector<ArchiveEntry> m_entries;
    // Keys view the names in m_entries, which never change after construction.
    std::unordered_map<std::string_view, uint32_t, FoldedHash, FoldedEqual> m_byName;
};

// Reads the header, the index and the names of an archive of `fileSize` bytes. An entry whose name
// is empty, too long, not terminated or outside the file, or whose data lies outside the file, is
// skipped; a header or index that cannot be read gives an empty index.
ArchiveIndex readArchiveIndex(const ArchiveByteSource& source, uint64_t fileSize);

// The same over an archive held in memory.
ArchiveIndex readArchiveIndex(std::span<const uint8_t> archive);

}  // namespace qeli::files
