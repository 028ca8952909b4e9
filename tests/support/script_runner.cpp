#include "support/script_runner.h"

#include "script/interpreter.h"
#include "script/script_commands.h"
#include "script/script_loader.h"
#include "support/files_helpers.h"

namespace qeli::testing {

void registerScriptCommands(script::CommandTable& table) {
    script::registerValueCommands(table);
    script::registerControlFlowCommands(table);
    script::registerTimedWaitCommands(table);
}

script::RunResult runScriptText(script::ScriptContext& context, const std::string& text, const std::string& fileName) {
    writeFile(fileName, text);
    script::loadScript(context, fileName);
    return script::run(context);
}

}  // namespace qeli::testing
