// The read-only file object every loader opens loose files and archives with: opened by a game
// name (found on disk as loose_file_name.h says), optionally with a size limit, and with the
// "ReadFile Access Error" box that lets the player retry.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>

#include "files/file_data.h"

namespace qeli::files {

enum class SeekOrigin { Begin, Current, End };

class ReadOnlyFile {
public:
    ReadOnlyFile() = default;
    ~ReadOnlyFile() { close(); }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    // Fails at once when already open. With `prompt`, a failure shows the box; Retry tries again.
    bool open(std::string_view name, bool prompt);
    // The same with the largest accepted size set to 2147483647 bytes.
    bool openLimited(std::string_view name, bool prompt);
    // A path of the host's own (tools); never prompts.
    bool openPath(const std::filesystem::path& path);

    bool isOpen() const { return m_file != nullptr; }
    // Bytes read; 0 when not open.
    size_t read(std::span<uint8_t> buffer);
    bool seek(int64_t offset, SeekOrigin origin);
    // -1 when the size cannot be found; 0 when not open.
    int64_t size();
    void close();

    // The whole file from the start (size from size(); fewer bytes if it shrank meanwhile).
    std::optional<FileData> readWhole();
    // The system's code for why the last open failed (0 after a successful one).
    uint32_t lastError() const { return m_lastError; }

private:
    bool tryOpen(std::string_view name);

    std::FILE* m_file = nullptr;
    uint64_t m_sizeLimit = 0;  // 0: no limit
    uint32_t m_lastError = 0;
};

}  // namespace qeli::files
