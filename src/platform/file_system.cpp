#include "platform/file_system.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
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

}  // namespace qeli::platform
