// The command line: `qeli [GAME_DIR] [options]`.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qeli::app {

struct CommandLine {
    std::optional<std::string> gameDirectory;
    bool headless = false;
    bool windowConfig = false;
    std::optional<std::string> dumpFile;
    // Where the player's files go instead of the game's own save folder (e.g. a read-only game folder).
    std::optional<std::string> saveDirectory;
    uint64_t timeLimitMs = 3'600'000;
    // Where a PNG of the frame goes each time the game waits for the player.
    std::optional<std::string> screenshotDirectory;
};

// Null with `error` set for an option that is unknown, lacks its value or has a bad one.
std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& arguments, std::string& error);
const char* usageText();

}  // namespace qeli::app
