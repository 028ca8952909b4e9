#include "script/script_context.h"

#include <algorithm>

namespace qeli::script {

ScriptContext::ScriptContext(const CommandTable& commandTable, app::EngineState& engineState,
                             saved::SystemData& systemData, saved::ReadTextRecord& readTextRecord)
    : commands(commandTable), engine(engineState), system(systemData), readText(readTextRecord) {}

ScriptRecord& ScriptContext::push() {
    auto record = std::make_unique<ScriptRecord>();
    if (const ScriptRecord* caller = top()) {
        record->skipLevel = caller->skipLevel;
        record->subMenuEnable = caller->subMenuEnable;
        record->subMenuMark = caller->subMenuMark;
    }
    stack.push_back(std::move(record));
    return *stack.back();
}

void ScriptContext::pop(const ScriptRecord* record) {
    std::erase_if(stack, [record](const auto& r) { return r.get() == record; });
}

void ScriptContext::popAll() { stack.clear(); }

}  // namespace qeli::script
