// Fuzzes the compiled-script reader and then runs what it accepted through parameter binding, so that
// offsets into the data area from a hostile file are exercised too.
#include <cstdint>
#include <span>

#include "app/engine_state.h"
#include "platform/backend.h"
#include "platform/main_thread.h"
#include "saved/read_text_record.h"
#include "saved/system_data.h"
#include "script/parameter_binding.h"
#include "script/script_context.h"
#include "script/script_loader.h"

using namespace qeli;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool installed = [] {
        platform::installBackend(platform::makeHeadlessBackend({}));
        platform::setMainThread();
        return true;
    }();
    (void)installed;
    auto script = script::parseCompiledScript(std::span<const uint8_t>(data, size));
    if (!script) return 0;
    static app::EngineState engine;
    static saved::SystemData system;
    static saved::ReadTextRecord readText;
    static script::CommandTable table;
    static script::ScriptContext context(table, engine, system, readText);
    context.popAll();
    script::ScriptRecord& record = context.push();
    record.setTables(std::move(*script));
    script::Param param;
    for (int32_t i = 0; i < static_cast<int32_t>(record.tokens.size()) && i < 4096; ++i)
        script::bindParameter(context, record, i, param);
    return 0;
}
