// qeli-tool: finds the sub-command named by the first argument and runs it with the rest.
#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "archive_command.h"
#include "graphic_command.h"
#include "save_command.h"

namespace {

struct SubCommand {
    std::string_view name;
    int (*run)(std::span<const std::string> args);
    std::string_view summary;
};

constexpr SubCommand kSubCommands[] = {
    {"archive", qeli::tools::archiveCommand, "list|extract|pack   .qlc archives"},
    {"save", qeli::tools::saveCommand, "info FILE           System.dat, Already.dat as JSON"},
    {"graphic", qeli::tools::graphicCommand, "info|unpack|pack    .qlg, BMP and PNG pictures"},
};

int usage() {
    std::fprintf(stderr, "usage: qeli-tool COMMAND ...\n");
    for (const auto& command : kSubCommands)
        std::fprintf(stderr, "  %-8.*s %.*s\n", static_cast<int>(command.name.size()), command.name.data(),
                     static_cast<int>(command.summary.size()), command.summary.data());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    std::vector<std::string> args(argv + 2, argv + argc);
    for (const auto& command : kSubCommands)
        if (command.name == argv[1]) return command.run(args);
    std::fprintf(stderr, "qeli-tool: unknown command '%s'\n", argv[1]);
    return usage();
}
