// Fuzzes the script compiler with any bytes as source text (through the UTF-8 pre-conversion), then
// binds every token of what it produced, as the interpreter would.
#include <cstdint>
#include <span>

#include "app/engine_state.h"
#include "platform/backend.h"
#include "platform/main_thread.h"
#include "saved/read_text_record.h"
#include "saved/system_data.h"
#include "script/compiler.h"
#include "script/parameter_binding.h"
#include "script/script_context.h"
#include "script/source_preconversion.h"

using namespace qeli;

namespace {
// Answers Retry, so that the checks go on looking through the whole text.
class SilentReporter final : public script::CompilerReporter {
public:
    platform::BoxAnswer report(const script::CompilerMessage&) override { return platform::BoxAnswer::Retry; }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool installed = [] {
        platform::installBackend(platform::makeHeadlessBackend({}));
        platform::setMainThread();
        return true;
    }();
    (void)installed;
    SilentReporter reporter;
    auto text = script::preconvertScriptSource(std::span<const uint8_t>(data, size), reporter);
    if (!text) return 0;
    auto script = script::compileScriptSource(*text, reporter);
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
