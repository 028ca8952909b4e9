#include "files/error_log.h"

#include <fstream>

namespace qeli::files {

void appendErrorLog(std::string_view line) {
    std::ofstream log("error.log", std::ios::binary | std::ios::app);
    log.write(line.data(), std::streamsize(line.size()));
}

}  // namespace qeli::files
