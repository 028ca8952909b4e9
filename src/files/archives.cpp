#include "files/archives.h"

#include <memory>

#include "files/read_only_file.h"

namespace qeli::files {

namespace {

struct ArchiveList {
    std::array<std::unique_ptr<Archive>, kArchiveSearchOrder.size()> archives;
    ArchiveList() {
        for (size_t i = 0; i < archives.size(); ++i) archives[i] = std::make_unique<Archive>(kArchiveSearchOrder[i]);
    }
};

std::mutex g_listLock;
std::shared_ptr<ArchiveList> g_list = std::make_shared<ArchiveList>();

// A reset while another thread reads keeps the old list alive until that read ends.
std::shared_ptr<ArchiveList> currentList() {
    std::lock_guard lock(g_listLock);
    return g_list;
}

}  // namespace

const ArchiveIndex& Archive::index() {
    std::call_once(m_loaded, [this] {
        ReadOnlyFile file;
        if (file.open(m_fileName, false)) m_index = readArchiveIndex(file);
    });
    return m_index;
}

std::optional<FileData> Archive::read(std::string_view name) {
    const ArchiveEntry* entry = index().find(name);
    if (!entry) return std::nullopt;
    ReadOnlyFile file;
    if (!file.open(m_fileName, false)) return std::nullopt;
    return readArchiveEntry(file, *entry);
}

ArchiveIndex readArchiveIndex(ReadOnlyFile& file) {
    int64_t fileSize = file.size();
    if (fileSize < 0) return {};
    auto source = [&](uint64_t offset, uint64_t count) -> std::optional<std::vector<uint8_t>> {
        if (offset > static_cast<uint64_t>(fileSize) || count > static_cast<uint64_t>(fileSize) - offset)
            return std::nullopt;
        std::vector<uint8_t> bytes(count);
        if (!file.seek(static_cast<int64_t>(offset), SeekOrigin::Begin) || file.read(bytes) != count)
            return std::nullopt;
        return bytes;
    };
    return readArchiveIndex(source, static_cast<uint64_t>(fileSize));
}

std::optional<FileData> readArchiveEntry(ReadOnlyFile& file, const ArchiveEntry& entry) {
    if (!file.seek(entry.dataOffset, SeekOrigin::Begin)) return std::nullopt;
    // The index reader checked the range against the file's size, so this allocation is bounded by it.
    FileData data(entry.dataSize);
    data.truncate(file.read({data.data(), data.size()}));
    return data;
}

std::optional<FileData> readFromArchives(std::string_view name) {
    auto list = currentList();
    for (auto& archive : list->archives)
        if (auto data = archive->read(name)) return data;
    return std::nullopt;
}

bool existsInArchives(std::string_view name) {
    auto list = currentList();
    for (auto& archive : list->archives)
        if (archive->contains(name)) return true;
    return false;
}

void resetArchives() {
    auto fresh = std::make_shared<ArchiveList>();
    std::lock_guard lock(g_listLock);
    g_list = std::move(fresh);
}

}  // namespace qeli::files
