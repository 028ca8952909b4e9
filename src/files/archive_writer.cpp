#include "files/archive_writer.h"

#include <sstream>

#include "files/archive_index.h"

namespace qeli::files {

namespace {

constexpr uint64_t kOffsetLimit = uint64_t{1} << 32;

void putU32(std::ostream& out, uint64_t value) {
    char bytes[4];
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    out.write(bytes, 4);
}

}  // namespace

ArchiveWriter::ArchiveWriter(std::ostream& out) : m_out(out), m_position(kArchiveHeaderSize) {
    const char zeros[kArchiveHeaderSize] = {};
    m_out.write(zeros, sizeof zeros);
}

bool ArchiveWriter::add(std::string_view name, std::span<const uint8_t> data) {
    if (name.empty() || name.find('\0') != std::string_view::npos || name.size() >= kArchiveMaxNameLength)
        return false;
    if (m_position + data.size() >= kOffsetLimit) return false;
    m_members.push_back({std::string(name), static_cast<uint32_t>(m_position), static_cast<uint32_t>(data.size())});
    m_out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    m_position += data.size();
    return true;
}

bool ArchiveWriter::finish() {
    std::vector<uint64_t> nameOffsets;
    for (const Member& m : m_members) {
        nameOffsets.push_back(m_position);
        m_out.write(m.name.c_str(), static_cast<std::streamsize>(m.name.size() + 1));
        m_position += m.name.size() + 1;
    }
    uint64_t indexOffset = m_position;
    uint64_t indexSize = m_members.size() * kArchiveIndexEntrySize;
    if (indexOffset + indexSize >= kOffsetLimit) return false;
    for (size_t i = 0; i < m_members.size(); ++i) {
        putU32(m_out, nameOffsets[i]);
        putU32(m_out, m_members[i].name.size() + 1);
        putU32(m_out, m_members[i].dataOffset);
        putU32(m_out, m_members[i].dataSize);
        putU32(m_out, 0);
    }
    m_out.seekp(16);
    putU32(m_out, indexOffset);
    putU32(m_out, indexSize);
    m_out.flush();
    return static_cast<bool>(m_out);
}

std::vector<uint8_t> buildArchive(const std::vector<std::pair<std::string, std::vector<uint8_t>>>& members) {
    std::ostringstream out(std::ios::binary);
    ArchiveWriter writer(out);
    for (const auto& [name, data] : members) writer.add(name, data);
    writer.finish();
    std::string bytes = std::move(out).str();
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace qeli::files
