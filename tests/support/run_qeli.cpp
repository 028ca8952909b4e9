#include "support/run_qeli.h"

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace qeli::testing {

namespace {

std::string shellQuote(const std::string& s) {
    std::string out = "'";
    for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string readText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

QeliRun runQeliHeadless(const std::string& gameFolder, const std::vector<std::string>& extraArguments) {
    auto dump = std::filesystem::path(gameFolder).parent_path() /
                (std::filesystem::path(gameFolder).filename().string() + "-dump.json");
    auto log = dump;
    log.replace_extension(".log");
    std::filesystem::remove(dump);
    std::string command = shellQuote(QELI_BINARY) + " --headless " + shellQuote(gameFolder) + " --dump " +
                          shellQuote(dump.string());
    for (const auto& a : extraArguments) command += " " + shellQuote(a);
    command += " 2>" + shellQuote(log.string());
    QeliRun run;
    int status = std::system(command.c_str());
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (std::filesystem::exists(dump)) run.dump = readText(dump);
    run.output = readText(log);
    return run;
}

}  // namespace qeli::testing
