#include "app/command_line.h"

#include <charconv>

#include "files/name_folding.h"

namespace qeli::app {

const char* usageText() {
    return "usage: qeli [GAME_DIR] [options]\n"
           "  -windowconfig        the window-size dialog only\n"
           "  --headless           no window and no audio device; virtual time\n"
           "  --dump FILE          at exit write the run's state as JSON\n"
           "  --time-limit MS      end a headless run after this much virtual time\n"
           "  --save-dir DIR       keep System.dat, Already.dat and saves in DIR\n"
           "  --screenshot-dir DIR write a PNG of the frame whenever the game waits for the player\n";
}

std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& arguments, std::string& error) {
    CommandLine line;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        auto value = [&]() -> const std::string* {
            if (i + 1 < arguments.size()) return &arguments[++i];
            error = "option " + arg + " needs a value";
            return nullptr;
        };
        if (files::equalFoldedUtf8(arg, "-windowconfig")) {
            line.windowConfig = true;
        } else if (arg == "--headless") {
            line.headless = true;
        } else if (arg == "--dump") {
            const std::string* v = value();
            if (!v) return std::nullopt;
            line.dumpFile = *v;
        } else if (arg == "--save-dir") {
            const std::string* v = value();
            if (!v) return std::nullopt;
            line.saveDirectory = *v;
        } else if (arg == "--screenshot-dir") {
            const std::string* v = value();
            if (!v) return std::nullopt;
            line.screenshotDirectory = *v;
        } else if (arg == "--time-limit") {
            const std::string* v = value();
            if (!v) return std::nullopt;
            auto [end, ec] = std::from_chars(v->data(), v->data() + v->size(), line.timeLimitMs);
            if (ec != std::errc() || end != v->data() + v->size()) {
                error = "--time-limit needs a number of milliseconds, not " + *v;
                return std::nullopt;
            }
        } else if (arg.starts_with("--")) {
            error = "unknown option " + arg;
            return std::nullopt;
        } else if (arg.starts_with("-")) {
            // The original ignores arguments it does not know; so do we, for its single-dash style.
        } else if (!line.gameDirectory) {
            line.gameDirectory = arg;
        } else {
            error = "only one game folder can be given";
            return std::nullopt;
        }
    }
    return line;
}

}  // namespace qeli::app
