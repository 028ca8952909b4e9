#include "archive_command.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string_view>
#include <vector>

#include "files/archive_writer.h"
#include "files/archives.h"
#include "files/loose_file_name.h"
#include "files/name_folding.h"
#include "files/read_only_file.h"
#include "platform/text_encoding.h"

namespace qeli::tools {

namespace fs = std::filesystem;

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: qeli-tool archive list ARCHIVE\n"
                 "       qeli-tool archive extract ARCHIVE OUTPUT_DIR [NAME...]\n"
                 "       qeli-tool archive pack INPUT_DIR ARCHIVE\n");
    return 2;
}

std::optional<files::ArchiveIndex> openIndex(const std::string& archivePath, files::ReadOnlyFile& file) {
    if (!file.openPath(archivePath)) {
        std::fprintf(stderr, "qeli-tool: cannot open %s\n", archivePath.c_str());
        return std::nullopt;
    }
    return files::readArchiveIndex(file);
}

int list(const std::string& archivePath) {
    files::ReadOnlyFile file;
    auto index = openIndex(archivePath, file);
    if (!index) return 1;
    for (const auto& entry : index->entries())
        std::printf("%10u %10u %s\n", entry.dataOffset, entry.dataSize, platform::cp932ToUtf8(entry.name).c_str());
    return 0;
}

// Where an entry goes below the output folder; null when its name would leave the folder (an
// absolute name, a drive, a ".." component) or names nothing.
std::optional<fs::path> relativeOutputPath(std::string_view name) {
    fs::path path;
    for (const auto& component : files::splitGameName(name)) {
        if (component == "/" || component == ".." || component.find(':') != std::string::npos) return std::nullopt;
        if (component == ".") continue;
        path /= platform::cp932ToUtf8(component);
    }
    if (path.empty()) return std::nullopt;
    return path;
}

// True when `path` (which may not exist yet) stays inside `root` once links are followed.
bool staysInside(const fs::path& root, const fs::path& path) {
    std::error_code ec;
    fs::path base = fs::weakly_canonical(root, ec);
    fs::path full = fs::weakly_canonical(path, ec);
    if (ec) return false;
    auto [rootEnd, unused] = std::mismatch(base.begin(), base.end(), full.begin(), full.end());
    return rootEnd == base.end();
}

bool writeEntry(const fs::path& target, const files::FileData& data) {
    std::error_code ec;
    fs::create_directories(target.parent_path(), ec);
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    return static_cast<bool>(out);
}

int extract(const std::string& archivePath, const fs::path& outputDir, std::span<const std::string> wanted) {
    files::ReadOnlyFile file;
    auto index = openIndex(archivePath, file);
    if (!index) return 1;
    std::error_code ec;
    fs::create_directories(outputDir, ec);
    int failures = 0;
    for (const auto& entry : index->entries()) {
        std::string shown = platform::cp932ToUtf8(entry.name);
        if (!wanted.empty() && std::find(wanted.begin(), wanted.end(), shown) == wanted.end()) continue;
        // The engine only ever reads the first of several entries with one name.
        if (index->find(entry.name) != &entry) {
            std::fprintf(stderr, "qeli-tool: skipped %s: the engine reads an earlier entry of that name\n", shown.c_str());
            continue;
        }
        auto relative = relativeOutputPath(entry.name);
        if (!relative || !staysInside(outputDir, outputDir / *relative)) {
            std::fprintf(stderr, "qeli-tool: refused %s: it would be written outside %s\n", shown.c_str(),
                         outputDir.c_str());
            ++failures;
            continue;
        }
        auto data = files::readArchiveEntry(file, entry);
        if (!data || !writeEntry(outputDir / *relative, *data)) {
            std::fprintf(stderr, "qeli-tool: cannot write %s\n", shown.c_str());
            ++failures;
        }
    }
    return failures ? 1 : 0;
}

struct PackMember {
    std::string name;  // Shift-JIS with backslashes
    fs::path path;
};

// Every file below the folder with its archive name; false when a name has no Shift-JIS form.
bool collectMembers(const fs::path& inputDir, const fs::path& archivePath, std::vector<PackMember>& members) {
    std::error_code ec;
    fs::path skip = fs::weakly_canonical(archivePath, ec);
    bool ok = true;
    for (fs::recursive_directory_iterator it(inputDir, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file() || fs::weakly_canonical(it->path(), ec) == skip) continue;
        std::string relative = it->path().lexically_relative(inputDir).generic_string();
        std::replace(relative.begin(), relative.end(), '/', '\\');
        auto name = platform::utf8ToCp932(relative);
        if (!name) {
            std::fprintf(stderr, "qeli-tool: %s has no Shift-JIS spelling\n", relative.c_str());
            ok = false;
            continue;
        }
        members.push_back({std::move(*name), it->path()});
    }
    if (ec) {
        std::fprintf(stderr, "qeli-tool: cannot read %s\n", inputDir.c_str());
        return false;
    }
    std::sort(members.begin(), members.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    return ok;
}

int pack(const fs::path& inputDir, const std::string& archivePath) {
    std::vector<PackMember> members;
    if (!collectMembers(inputDir, archivePath, members)) return 1;
    for (size_t i = 1; i < members.size(); ++i)
        if (files::equalFoldedCp932(members[i - 1].name, members[i].name))
            std::fprintf(stderr, "qeli-tool: warning: %s and %s differ only in letter case; the engine finds the first\n",
                         members[i - 1].path.c_str(), members[i].path.c_str());
    std::ofstream out(archivePath, std::ios::binary | std::ios::trunc);
    files::ArchiveWriter writer(out);
    for (const auto& member : members) {
        files::ReadOnlyFile file;
        std::optional<files::FileData> data;
        if (file.openPath(member.path)) data = file.readWhole();
        if (!data || !writer.add(member.name, data->span())) {
            std::fprintf(stderr, "qeli-tool: cannot add %s\n", member.path.c_str());
            return 1;
        }
    }
    if (!writer.finish()) {
        std::fprintf(stderr, "qeli-tool: cannot write %s\n", archivePath.c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int archiveCommand(std::span<const std::string> args) {
    if (args.size() == 2 && args[0] == "list") return list(args[1]);
    if (args.size() >= 3 && args[0] == "extract") return extract(args[1], args[2], args.subspan(3));
    if (args.size() == 3 && args[0] == "pack") return pack(args[1], args[2]);
    return usage();
}

}  // namespace qeli::tools
