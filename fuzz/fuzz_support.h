// What the script fuzz targets share: a headless backend, and a context in which every token of a
// script is bound as the interpreter would bind it, so hostile offsets are exercised too.
#pragma once

#include "app/engine_state.h"
#include "platform/backend.h"
#include "platform/main_thread.h"
#include "saved/read_text_record.h"
#include "saved/system_data.h"
#include "script/parameter_binding.h"
#include "script/script_context.h"

namespace qeli::fuzzing {

inline void installHeadlessBackendOnce() {
    static bool installed = [] {
        platform::installBackend(platform::makeHeadlessBackend({}));
        platform::setMainThread();
        return true;
    }();
    (void)installed;
}

inline void bindEveryToken(script::CompiledScript script) {
    static app::EngineState engine;
    static saved::SystemData system;
    static saved::ReadTextRecord readText;
    static script::CommandTable table;
    static script::ScriptContext context(table, engine, system, readText);
    context.popAll();
    script::ScriptRecord& record = context.push();
    record.setTables(std::move(script));
    script::Param param;
    for (int32_t i = 0; i < static_cast<int32_t>(record.tokens.size()) && i < 4096; ++i)
        script::bindParameter(context, record, i, param);
}

}  // namespace qeli::fuzzing
