// Writes `.qlc` archives: the 24-byte header, the members' data in the order added, their
// zero-terminated names, then the index. The unused header bytes and index words are zero.
#pragma once

#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qeli::files {

class ArchiveWriter {
public:
    // Writes a placeholder header at once; `out` must be seekable (a file or a string stream).
    explicit ArchiveWriter(std::ostream& out);

    // `name` is Shift-JIS with backslashes, as the game asks for it. False (and nothing added) when
    // the archive would pass the 4 GiB its offsets can reach, or the name is empty or holds a zero.
    bool add(std::string_view name, std::span<const uint8_t> data);
    // Writes names, index and the real header; false when the stream failed.
    bool finish();

private:
    struct Member {
        std::string name;
        uint32_t dataOffset, dataSize;
    };
    std::ostream& m_out;
    uint64_t m_position;
    std::vector<Member> m_members;
};

// A whole archive in memory (tests, small tools).
std::vector<uint8_t> buildArchive(const std::vector<std::pair<std::string, std::vector<uint8_t>>>& members);

}  // namespace qeli::files
