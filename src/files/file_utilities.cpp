#include "files/file_utilities.h"

#include <filesystem>
#include <system_error>

#include "files/loose_file_name.h"
#include "files/name_folding.h"
#include "platform/text_encoding.h"

namespace qeli::files {

namespace fs = std::filesystem;

namespace {

size_t characterLength(std::string_view s, size_t i, bool utf8) {
    auto c = static_cast<uint8_t>(s[i]);
    size_t length = 1;
    if (utf8) length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    else if (platform::isCp932LeadByte(c)) length = 2;
    return std::min(length, s.size() - i);
}

bool hasWildcard(std::string_view s) { return s.find_first_of("*?") != std::string_view::npos; }

bool matchFrom(std::string_view pattern, size_t p, std::string_view name, size_t n, bool utf8) {
    while (p < pattern.size()) {
        if (pattern[p] == '*') {
            for (size_t k = n;; k += characterLength(name, k, utf8)) {
                if (matchFrom(pattern, p + 1, name, k, utf8)) return true;
                if (k >= name.size()) return false;
            }
        }
        if (n >= name.size()) return false;
        size_t pl = characterLength(pattern, p, utf8), nl = characterLength(name, n, utf8);
        if (pattern[p] == '?') pl = 1;
        else if (pl != nl || (pl == 1 ? foldAsciiLetter(static_cast<uint8_t>(pattern[p])) !=
                                            foldAsciiLetter(static_cast<uint8_t>(name[n]))
                                      : pattern.substr(p, pl) != name.substr(n, nl)))
            return false;
        p += pl;
        n += nl;
    }
    return n == name.size();
}

bool isFile(const fs::path& path) {
    std::error_code ec;
    auto status = fs::status(path, ec);
    return !ec && fs::exists(status) && !fs::is_directory(status);
}

// The folder a name's last component lives in, found without regard to case.
std::optional<fs::path> parentFolder(const std::vector<std::string>& components) {
    fs::path path;
    for (size_t i = 0; i + 1 < components.size(); ++i) {
        if (components[i] == "/") {
            path = "/";
            continue;
        }
        auto found = findComponent(path, components[i], true);
        if (!found) return std::nullopt;
        path = std::move(*found);
    }
    return path;
}

}  // namespace

bool matchesWildcard(std::string_view pattern, std::string_view name, bool utf8) {
    if (matchFrom(pattern, 0, name, 0, utf8)) return true;
    // As on the original system, "x.*" also finds "x" (a name without an extension).
    return pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
           matchFrom(pattern.substr(0, pattern.size() - 2), 0, name, 0, utf8);
}

bool fileExists(std::string_view name) {
    auto components = splitGameName(name);
    if (components.empty()) return false;
    const std::string& last = components.back();
    if (!hasWildcard(last)) {
        auto path = findLooseFile(name);
        return path && isFile(*path);
    }
    auto folder = parentFolder(components);
    if (!folder) return false;
    std::string decoded = platform::cp932ToUtf8(last);
    std::error_code ec;
    for (fs::directory_iterator it(folder->empty() ? fs::path(".") : *folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::string entry = it->path().filename().string();
        if ((matchesWildcard(decoded, entry, true) || matchesWildcard(last, entry, false)) && isFile(it->path()))
            return true;
    }
    return false;
}

bool directoryExists(std::string_view path) {
    auto found = findLooseFile(path);
    std::error_code ec;
    return found && fs::is_directory(*found, ec);
}

bool createDirectoryPath(std::string_view path) {
    auto components = splitGameName(path);
    fs::path current;
    for (const auto& component : components) {
        if (component == "/") {
            current = "/";
            continue;
        }
        if (auto found = findComponent(current, component, true)) {
            current = std::move(*found);
            continue;
        }
        current /= platform::cp932ToUtf8(component);
        std::error_code ec;
        if (!fs::create_directory(current, ec) && !fs::is_directory(current, ec)) return false;
    }
    return !components.empty();
}

std::optional<platform::FileTimes> fileTimes(std::string_view name) {
    auto path = findLooseFile(name);
    if (!path || !isFile(*path)) return std::nullopt;
    return platform::fileTimes(path->string());
}

bool copyFile(std::string_view from, std::string_view to) {
    auto source = findLooseFile(from);
    if (!source) return false;
    std::error_code ec;
    fs::copy_file(*source, looseFilePathForWriting(to), fs::copy_options::overwrite_existing, ec);
    return !ec;
}

bool deleteFile(std::string_view name) {
    auto path = findLooseFile(name);
    std::error_code ec;
    return path && fs::remove(*path, ec);
}

}  // namespace qeli::files
