#include "files/loose_file_name.h"

#include <system_error>

#include "files/name_folding.h"
#include "platform/text_encoding.h"

namespace qeli::files {

namespace fs = std::filesystem;

namespace {

bool isKind(const fs::path& path, bool wantDirectory) {
    std::error_code ec;
    auto status = fs::status(path, ec);
    if (ec || !fs::exists(status)) return false;
    return !wantDirectory || fs::is_directory(status);
}

// Spellings of a component in the order they are preferred: decoded, then raw (when different).
std::vector<std::string> spellingsOf(std::string_view component) {
    std::vector<std::string> spellings{platform::cp932ToUtf8(component)};
    if (spellings.front() != component) spellings.emplace_back(component);
    return spellings;
}

bool isSpecialComponent(std::string_view component) {
    return component == "/" || component == "." || component == "..";
}

}  // namespace

std::vector<std::string> splitGameName(std::string_view name) {
    std::vector<std::string> components;
    std::string current;
    if (!name.empty() && (name.front() == '/' || name.front() == '\\')) components.emplace_back("/");
    for (size_t i = 0; i < name.size(); ++i) {
        char c = name[i];
        if (platform::isCp932LeadByte(static_cast<uint8_t>(c)) && i + 1 < name.size()) {
            current += c;
            current += name[++i];
        } else if (c == '\\' || c == '/') {
            if (!current.empty()) components.push_back(std::move(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) components.push_back(std::move(current));
    return components;
}

std::optional<fs::path> findComponent(const fs::path& directory, std::string_view component, bool wantDirectory) {
    if (isSpecialComponent(component)) return directory / std::string(component);
    auto spellings = spellingsOf(component);
    for (const auto& spelling : spellings)
        if (fs::path candidate = directory / spelling; isKind(candidate, wantDirectory)) return candidate;

    std::optional<fs::path> best;
    size_t bestRank = 0;
    std::string bestName;
    std::error_code ec;
    for (fs::directory_iterator it(directory.empty() ? fs::path(".") : directory, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::string entryName = it->path().filename().string();
        size_t rank = spellings.size();
        if (equalFoldedUtf8(entryName, spellings[0])) rank = 0;
        else if (spellings.size() > 1 && equalFoldedCp932(entryName, spellings[1])) rank = 1;
        if (rank == spellings.size()) continue;
        fs::path candidate = directory / entryName;
        if (!isKind(candidate, wantDirectory)) continue;
        if (!best || rank < bestRank || (rank == bestRank && entryName < bestName)) {
            best = candidate;
            bestRank = rank;
            bestName = entryName;
        }
    }
    return best;
}

std::optional<fs::path> findLooseFile(std::string_view name) {
    auto components = splitGameName(name);
    if (components.empty()) return std::nullopt;
    fs::path path;
    for (size_t i = 0; i < components.size(); ++i) {
        bool last = i + 1 == components.size();
        if (components[i] == "/") {
            path = "/";
            continue;
        }
        auto found = findComponent(path, components[i], !last);
        if (!found) return std::nullopt;
        path = std::move(*found);
    }
    return path;
}

fs::path looseFilePathForWriting(std::string_view name) {
    auto components = splitGameName(name);
    fs::path path;
    bool creating = false;
    for (size_t i = 0; i < components.size(); ++i) {
        bool last = i + 1 == components.size();
        if (components[i] == "/") {
            path = "/";
            continue;
        }
        std::optional<fs::path> found;
        if (!creating) found = findComponent(path, components[i], !last);
        if (found) {
            path = std::move(*found);
        } else {
            creating = true;
            path /= platform::cp932ToUtf8(components[i]);
        }
    }
    return path;
}

}  // namespace qeli::files
