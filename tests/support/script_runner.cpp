#include "support/script_runner.h"

#include <fstream>

#include "script/interpreter.h"
#include "script/script_commands.h"
#include "script/script_loader.h"

namespace qeli::testing {

void writeTextFile(const std::string& name, const std::string& text) {
    std::ofstream(name, std::ios::binary) << text;
}

void registerScriptCommands(script::CommandTable& table) {
    script::registerValueCommands(table);
    script::registerControlFlowCommands(table);
    script::registerTimedWaitCommands(table);
}

script::RunResult runScriptText(script::ScriptContext& context, const std::string& text, const std::string& fileName) {
    writeTextFile(fileName, text);
    script::loadScript(context, fileName);
    return script::run(context);
}

}  // namespace qeli::testing
