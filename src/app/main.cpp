// Entry point of qeli: picks the game folder and the platform backend, runs the engine, writes the
// dump a test asked for.
#include <cstdio>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/command_line.h"
#include "app/run_dump.h"
#include "platform/backend.h"
#include "platform/file_system.h"
#include "platform/main_thread.h"
#include "script/runaway_guard.h"

namespace {

using namespace qeli;

// The game folder: the one named on the command line, else the current folder when it holds a game,
// else the bundled demo.
bool enterGameFolder(const app::CommandLine& line) {
    std::string folder;
    if (line.gameDirectory) folder = *line.gameDirectory;
    else if (!platform::fileExists("start.qls")) folder = QELI_DEMO_DIR;
    if (folder.empty() || platform::changeDirectory(folder)) return true;
    std::fprintf(stderr, "qeli: cannot enter the game folder %s\n", folder.c_str());
    return false;
}

std::unique_ptr<platform::Backend> makeBackend(const app::CommandLine& line, app::Application& application) {
    if (!line.headless) return platform::makeSdlBackend();
    platform::HeadlessOptions options;
    options.timeLimitMs = line.timeLimitMs;
    options.onTimeLimit = [&application] {
        application.state.recordEnd(app::EndReason::TimeLimit);
        application.state.scriptExit = 1;
    };
    return platform::makeHeadlessBackend(std::move(options));
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    auto line = app::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!line) {
        std::fprintf(stderr, "qeli: %s\n%s", error.c_str(), app::usageText());
        return 2;
    }
    // Relative dump and screenshot paths mean the folder qeli was started in, not the game folder.
    for (auto* path : {&line->dumpFile, &line->screenshotDirectory})
        if (*path && !(*path)->starts_with("/")) *path = platform::currentDirectory() + "/" + **path;
    if (!enterGameFolder(*line)) return 1;

    auto application = std::make_unique<app::Application>();
    auto backend = makeBackend(*line, *application);
    if (!backend) return 1;
    platform::installBackend(std::move(backend));
    platform::setMainThread();

    if (line->headless) application->state.runawayChecks = script::kDefaultRunawayChecks;
    int exitCode = app::runApplication(*application, *line);
    if (line->dumpFile && !app::writeRunDump(*application, *line->dumpFile)) {
        std::fprintf(stderr, "qeli: cannot write %s\n", line->dumpFile->c_str());
        exitCode = 1;
    }
    application.reset();
    platform::uninstallBackend();
    return exitCode;
}
