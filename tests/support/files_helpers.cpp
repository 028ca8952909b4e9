#include "support/files_helpers.h"

#include <fstream>
#include <iterator>

#include "platform/text_encoding.h"

namespace qeli::testing {

void writeFile(const std::filesystem::path& path, std::string_view bytes) {
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void writeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    writeFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::string readFileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string sjis(std::string_view utf8) { return platform::utf8ToCp932(utf8).value(); }

std::vector<uint8_t> bytesOf(std::string_view text) { return std::vector<uint8_t>(text.begin(), text.end()); }

}  // namespace qeli::testing
