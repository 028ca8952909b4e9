#include "files/archive_index.h"

#include <algorithm>

#include "files/byte_reader.h"
#include "files/name_folding.h"

namespace qeli::files {

namespace {

// Names are usually stored together; up to this much of the file is read in one piece to get them.
constexpr uint64_t kNameBlockLimit = 16u << 20;

struct IndexRecord {
    uint32_t nameOffset, nameLength, dataOffset, dataSize;
};

std::vector<IndexRecord> parseIndexRecords(std::span<const uint8_t> index) {
    ByteReader r(index);
    std::vector<IndexRecord> records(index.size() / kArchiveIndexEntrySize);
    for (auto& record : records) {
        record.nameOffset = r.u32();
        record.nameLength = r.u32();
        record.dataOffset = r.u32();
        record.dataSize = r.u32();
        r.skip(4);
    }
    return records;
}

bool fitsIn(uint64_t offset, uint64_t count, uint64_t fileSize) { return offset <= fileSize && count <= fileSize - offset; }

bool nameIsReadable(const IndexRecord& record, uint64_t fileSize) {
    return record.nameLength > 0 && record.nameLength <= kArchiveMaxNameLength &&
           fitsIn(record.nameOffset, record.nameLength, fileSize);
}

// The zero-terminated string at the start of the stored name bytes; null when there is no zero.
std::optional<std::string> terminatedName(std::span<const uint8_t> stored) {
    auto zero = std::find(stored.begin(), stored.end(), uint8_t{0});
    if (zero == stored.end()) return std::nullopt;
    return std::string(stored.begin(), zero);
}

// Reads every readable name, in one piece when the names lie close together.
class NameReader {
public:
    NameReader(const ArchiveByteSource& source, const std::vector<IndexRecord>& records, uint64_t fileSize)
        : m_source(source) {
        uint64_t first = UINT64_MAX, last = 0;
        for (const auto& r : records) {
            if (!nameIsReadable(r, fileSize)) continue;
            first = std::min<uint64_t>(first, r.nameOffset);
            last = std::max<uint64_t>(last, uint64_t{r.nameOffset} + r.nameLength);
        }
        if (first < last && last - first <= kNameBlockLimit) {
            if (auto block = source(first, last - first)) {
                m_block = std::move(*block);
                m_blockStart = first;
            }
        }
    }

    std::optional<std::string> name(const IndexRecord& r) const {
        uint64_t start = r.nameOffset;
        if (!m_block.empty() && start >= m_blockStart && start - m_blockStart + r.nameLength <= m_block.size())
            return terminatedName(std::span(m_block).subspan(start - m_blockStart, r.nameLength));
        auto stored = m_source(start, r.nameLength);
        return stored ? terminatedName(*stored) : std::nullopt;
    }

private:
    const ArchiveByteSource& m_source;
    std::vector<uint8_t> m_block;
    uint64_t m_blockStart = 0;
};

}  // namespace

ArchiveIndex::ArchiveIndex(std::vector<ArchiveEntry> entries) : m_entries(std::move(entries)) { buildLookup(); }

void ArchiveIndex::buildLookup() {
    m_byName.reserve(m_entries.size());
    // emplace keeps an existing key, so the first entry in index order wins.
    for (size_t i = 0; i < m_entries.size(); ++i) m_byName.emplace(m_entries[i].name, static_cast<uint32_t>(i));
}

const ArchiveEntry* ArchiveIndex::find(std::string_view name) const {
    auto it = m_byName.find(name);
    return it == m_byName.end() ? nullptr : &m_entries[it->second];
}

size_t ArchiveIndex::FoldedHash::operator()(std::string_view name) const {
    uint64_t hash = 14695981039346656037ull;  // FNV-1a
    forEachFoldedByte(name, [&](uint8_t c) { hash = (hash ^ c) * 1099511628211ull; });
    return static_cast<size_t>(hash);
}

bool ArchiveIndex::FoldedEqual::operator()(std::string_view a, std::string_view b) const {
    return equalFoldedCp932(a, b);
}

ArchiveIndex readArchiveIndex(const ArchiveByteSource& source, uint64_t fileSize) {
    auto header = source(0, kArchiveHeaderSize);
    if (!header) return {};
    ByteReader h(*header);
    h.skip(16);
    uint32_t indexOffset = h.u32();
    uint32_t indexSize = h.u32();
    uint64_t wholeEntries = indexSize / kArchiveIndexEntrySize * kArchiveIndexEntrySize;
    if (h.failed() || !fitsIn(indexOffset, wholeEntries, fileSize)) return {};
    auto indexBytes = source(indexOffset, wholeEntries);
    if (!indexBytes) return {};

    auto records = parseIndexRecords(*indexBytes);
    NameReader names(source, records, fileSize);
    std::vector<ArchiveEntry> entries;
    entries.reserve(records.size());
    for (const auto& r : records) {
        if (!nameIsReadable(r, fileSize) || !fitsIn(r.dataOffset, r.dataSize, fileSize)) continue;
        auto name = names.name(r);
        if (!name || name->empty()) continue;
        entries.push_back({r.dataOffset, r.dataSize, std::move(*name)});
    }
    return ArchiveIndex(std::move(entries));
}

ArchiveIndex readArchiveIndex(std::span<const uint8_t> archive) {
    ByteReader reader(archive);
    return readArchiveIndex(
        [&](uint64_t offset, uint64_t count) -> std::optional<std::vector<uint8_t>> {
            auto bytes = reader.at(static_cast<int64_t>(offset), static_cast<int64_t>(count));
            if (!bytes) return std::nullopt;
            return std::vector<uint8_t>(bytes->begin(), bytes->end());
        },
        archive.size());
}

}  // namespace qeli::files
