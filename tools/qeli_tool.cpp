// qeli-tool: the command-line tool for authors, translators and preservationists. Each sub-command
// lives in its own file; this table names them.
#include <cstdio>
#include <cstring>

#include "tools/script_command.h"

namespace {

struct SubCommand {
    const char* name;
    int (*run)(int argc, char** argv);  // argv[0] is the sub-command's name
    const char* usage;
};

constexpr SubCommand kSubCommands[] = {
    {"script", qeli::tools::runScriptCommand, "script compile|check|disasm ...   text scripts and .qls"},
};

int usage() {
    std::fputs("usage: qeli-tool COMMAND ...\n", stderr);
    for (const SubCommand& command : kSubCommands) std::fprintf(stderr, "  qeli-tool %s\n", command.usage);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    for (const SubCommand& command : kSubCommands)
        if (std::strcmp(argv[1], command.name) == 0) return command.run(argc - 1, argv + 1);
    return usage();
}
