// qeli-tool: the command-line tool for authors, translators and preservationists. Each sub-command
// lives in its own file and is listed here.
#include <cstdio>
#include <string_view>

#include "graphic_command.h"

namespace {

struct SubCommand {
    std::string_view name;
    int (*run)(int argc, char** argv);  // argv[0] is the sub-command's name
    std::string_view summary;
};

constexpr SubCommand kSubCommands[] = {
    {"graphic", qeli::tools::runGraphicCommand, "info|unpack|pack  .qlg, BMP and PNG pictures"},
};

int usage() {
    std::fprintf(stderr, "usage: qeli-tool COMMAND ...\n");
    for (const SubCommand& c : kSubCommands)
        std::fprintf(stderr, "  %-10.*s %.*s\n", int(c.name.size()), c.name.data(), int(c.summary.size()), c.summary.data());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    for (const SubCommand& c : kSubCommands)
        if (c.name == argv[1]) return c.run(argc - 1, argv + 1);
    return usage();
}
