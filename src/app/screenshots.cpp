#include "app/screenshots.h"

#include <cstdio>
#include <filesystem>

#include "graphics/png_encoder.h"
#include "platform/file_system.h"

namespace qeli::app {

bool Screenshots::take(const graphics::Surface& frame) {
    std::vector<uint8_t> png = graphics::encodePng(frame);
    if (png.empty()) return false;
    char name[32];
    std::snprintf(name, sizeof name, "screenshot-%04d.png", ++m_count);
    std::error_code ignored;
    std::filesystem::create_directories(m_directory, ignored);
    std::string path = (std::filesystem::path(m_directory) / name).string();
    if (int error = platform::replaceFileContents(path, png); error != 0) {
        std::fprintf(stderr, "qeli: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace qeli::app
