#include "platform/file_system.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <system_error>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qeli::platform {

std::optional<std::vector<uint8_t>> readWholeFile(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return std::nullopt;
    std::vector<uint8_t> bytes;
    uint8_t buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
    bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) return std::nullopt;
    return bytes;
}

std::FILE* openFileForReading(const std::filesystem::path& path) { return std::fopen(path.c_str(), "rb"); }

bool fileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

std::string currentDirectory() {
    std::error_code ec;
    auto path = std::filesystem::current_path(ec);
    return ec ? std::string() : path.string();
}

bool changeDirectory(const std::string& path) { return ::chdir(path.c_str()) == 0; }

std::string runtimeDirectory() {
    if (const char* dir = std::getenv("XDG_RUNTIME_DIR"); dir && *dir) return dir;
    std::error_code ec;
    auto dir = std::filesystem::temp_directory_path(ec) / ("qeli-" + std::to_string(::getuid()));
    std::filesystem::create_directories(dir, ec);
    std::filesystem::permissions(dir, std::filesystem::perms::owner_all, ec);
    return dir.string();
}

namespace {

bool writeAll(int fd, std::span<const uint8_t> bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes = bytes.subspan(static_cast<size_t>(n));
    }
    return true;
}

// Seconds between 1601-01-01 and 1970-01-01.
constexpr uint64_t kFileTimeEpochSeconds = 11644473600ull;

uint64_t localFileTime(struct timespec t) {
    std::tm local{};
    time_t seconds = t.tv_sec;
    long offset = ::localtime_r(&seconds, &local) ? local.tm_gmtoff : 0;
    int64_t shifted = static_cast<int64_t>(t.tv_sec) + offset + static_cast<int64_t>(kFileTimeEpochSeconds);
    if (shifted < 0) return 0;
    return static_cast<uint64_t>(shifted) * 10'000'000ull + static_cast<uint64_t>(t.tv_nsec) / 100;
}

}  // namespace

int replaceFileContents(const std::string& path, std::span<const uint8_t> bytes) {
    std::string temporary = path + ".tmp";
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return errno;
    bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    int error = written ? 0 : (errno ? errno : EIO);
    if (::close(fd) != 0 && written) {
        written = false;
        error = errno;
    }
    if (written && ::rename(temporary.c_str(), path.c_str()) != 0) {
        written = false;
        error = errno;
    }
    if (!written) ::unlink(temporary.c_str());
    return written ? 0 : error;
}

std::optional<FileTimes> fileTimes(const std::string& path) {
    struct statx st {};
    if (::statx(AT_FDCWD, path.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &st) != 0) return std::nullopt;
    auto toTimespec = [](const struct statx_timestamp& t) { return timespec{t.tv_sec, t.tv_nsec}; };
    FileTimes times;
    times.creation = localFileTime(toTimespec((st.stx_mask & STATX_BTIME) ? st.stx_btime : st.stx_ctime));
    times.lastAccess = localFileTime(toTimespec(st.stx_atime));
    times.lastWrite = localFileTime(toTimespec(st.stx_mtime));
    return times;
}

}  // namespace qeli::platform
