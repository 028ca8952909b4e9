// Runs the built qeli binary headless on a game folder and reads back its dump.
#pragma once

#include <string>
#include <vector>

namespace qeli::testing {

struct QeliRun {
    int exitCode = -1;
    std::string dump;    // the --dump JSON, empty when none was written
    std::string output;  // what qeli printed on stderr
};

QeliRun runQeliHeadless(const std::string& gameFolder, const std::vector<std::string>& extraArguments = {});

}  // namespace qeli::testing
