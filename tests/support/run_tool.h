// Runs the built qeli-tool and collects what it printed on standard output.
#pragma once

#include <string>

namespace qeli::testing {

struct ToolRun {
    int exitCode;
    std::string output;
};

// `arguments` are passed through the shell as written.
ToolRun runTool(const std::string& arguments);

}  // namespace qeli::testing
