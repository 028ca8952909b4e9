#include "files/program_data.h"

#include "files/archives.h"
#include "files/read_only_file.h"

namespace qeli::files {

std::optional<FileData> readProgramData(std::string_view name, LooseFileAccess access) {
    if (auto data = readFromArchives(name)) return data;
    ReadOnlyFile file;
    bool open = access == LooseFileAccess::PromptLimited ? file.openLimited(name, true) : file.open(name, false);
    if (!open) return std::nullopt;
    return file.readWhole();
}

}  // namespace qeli::files
