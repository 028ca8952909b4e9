#include "support/run_tool.h"

#include <sys/wait.h>

#include <cstdio>

namespace qeli::testing {

ToolRun runTool(const std::string& arguments) {
    std::string command = std::string(QELI_TOOL) + " " + arguments + " 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string output;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
    int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

}  // namespace qeli::testing
