#include "files/read_only_file.h"

#include <cerrno>
#include <cstdio>
#include <string>

#include "files/loose_file_name.h"
#include "files/system_error.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/text_encoding.h"

namespace qeli::files {

namespace {

constexpr uint64_t kLimitedSize = 2147483647;

std::string readFileAccessErrorText(std::string_view name, uint32_t code) {
    return "filename:" + platform::cp932ToUtf8(name) + "\nerrorcode:" + std::to_string(code) +
           "\n\nerrorcomment:" + systemErrorText(code) + "\n";
}

}  // namespace

bool ReadOnlyFile::open(std::string_view name, bool prompt) {
    if (isOpen()) return false;
    while (!tryOpen(name)) {
        if (!prompt) return false;
        auto answer = platform::showMessageBox("ReadFile Access Error", readFileAccessErrorText(name, m_lastError),
                                               platform::BoxButtons::RetryCancel, platform::BoxIcon::Warning);
        if (answer != platform::BoxAnswer::Retry) return false;
    }
    return true;
}

bool ReadOnlyFile::openLimited(std::string_view name, bool prompt) {
    if (isOpen()) return false;
    m_sizeLimit = kLimitedSize;
    return open(name, prompt);
}

bool ReadOnlyFile::tryOpen(std::string_view name) {
    auto path = findLooseFile(name);
    if (!path) {
        m_lastError = kErrorFileNotFound;
        return false;
    }
    if (!openPath(*path)) return false;
    if (m_sizeLimit != 0 && static_cast<uint64_t>(size()) > m_sizeLimit) {
        close();
        m_lastError = kErrorOutOfMemory;
        return false;
    }
    return true;
}

bool ReadOnlyFile::openPath(const std::filesystem::path& path) {
    if (isOpen()) return false;
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        m_lastError = kErrorAccessDenied;
        return false;
    }
    errno = 0;
    m_file = platform::openFileForReading(path);
    m_lastError = m_file ? 0 : systemErrorCode(errno);
    return m_file != nullptr;
}

size_t ReadOnlyFile::read(std::span<uint8_t> buffer) {
    if (!isOpen() || buffer.empty()) return 0;
    return std::fread(buffer.data(), 1, buffer.size(), m_file);
}

bool ReadOnlyFile::seek(int64_t offset, SeekOrigin origin) {
    if (!isOpen()) return false;
    int whence = origin == SeekOrigin::Begin ? SEEK_SET : origin == SeekOrigin::Current ? SEEK_CUR : SEEK_END;
    return std::fseek(m_file, static_cast<long>(offset), whence) == 0;
}

int64_t ReadOnlyFile::size() {
    if (!isOpen()) return 0;
    long here = std::ftell(m_file);
    if (here < 0 || std::fseek(m_file, 0, SEEK_END) != 0) return -1;
    long end = std::ftell(m_file);
    std::fseek(m_file, here, SEEK_SET);
    return end < 0 ? -1 : end;
}

void ReadOnlyFile::close() {
    if (m_file) std::fclose(m_file);
    m_file = nullptr;
}

std::optional<FileData> ReadOnlyFile::readWhole() {
    int64_t total = size();
    if (total < 0 || !seek(0, SeekOrigin::Begin)) return std::nullopt;
    FileData data(static_cast<size_t>(total));
    data.truncate(read({data.data(), data.size()}));
    return data;
}

}  // namespace qeli::files
