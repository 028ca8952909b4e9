#include "files/program_data.h"

#include <string>

#include "platform/file_system.h"
#include "platform/text_encoding.h"

namespace qeli::files {

// TODO: archives first, the retry boxes, and component-wise matching without regard to letter case.
std::optional<std::vector<uint8_t>> readProgramData(std::string_view name) {
    std::string raw(name);
    // A backslash may be the trail byte of a double-byte character; only a real separator changes.
    for (size_t i = 0; i < raw.size(); ++i) {
        if (platform::isCp932LeadByte(static_cast<uint8_t>(raw[i]))) ++i;
        else if (raw[i] == '\\') raw[i] = '/';
    }
    if (auto bytes = platform::readWholeFile(platform::cp932ToUtf8(raw))) return bytes;
    return platform::readWholeFile(raw);
}

}  // namespace qeli::files
