// Commands per second through the interpreter (a command with three integer parameters) beside a
// plain loop calling the same handler through a function pointer.
#include <benchmark/benchmark.h>

#include "app/engine_state.h"
#include "platform/backend.h"
#include "platform/main_thread.h"
#include "saved/read_text_record.h"
#include "saved/system_data.h"
#include "script/interpreter.h"
#include "script/script_loader.h"
#include "script/script_context.h"
#include "support/qls_writer.h"

namespace {

using namespace qeli;

constexpr int kCommands = 10'000;
int64_t g_sum = 0;

std::optional<script::CommandResult> Probe(script::ScriptContext&, int32_t count, const script::Param* params) {
    for (int i = 0; i < count; ++i) g_sum += params[i].value;
    return std::nullopt;
}

struct Engine {
    app::EngineState state;
    saved::SystemData system;
    saved::ReadTextRecord readText;
    script::CommandTable table;
    script::ScriptContext context{table, state, system, readText};

    Engine() {
        if (!platform::hasBackend()) {
            platform::installBackend(platform::makeHeadlessBackend({}));
            platform::setMainThread();
        }
        table.setHandler("Wait", Probe);
        testing::QlsWriter w;
        for (int i = 0; i < kCommands; ++i) w.call("Wait", {w.intConstant(i), w.intConstant(2), w.intConstant(3)});
        auto script = script::parseCompiledScript(w.build());
        script::ScriptRecord& record = context.push();
        record.setTables(std::move(*script));
        record.readFlags = readText.flagsFor("bench.qls", record.codeLength());
    }
};

void interpreter(benchmark::State& s) {
    Engine engine;
    script::ScriptRecord& record = *engine.context.top();
    for (auto _ : s) {
        record.currentPosition = 0;
        script::step(engine.context);
    }
    benchmark::DoNotOptimize(g_sum);
    s.SetItemsProcessed(s.iterations() * kCommands);
}

void reference(benchmark::State& s) {
    Engine engine;
    script::CommandHandler handler = engine.table.row(engine.table.find("Wait")).handler;
    benchmark::DoNotOptimize(handler);
    script::Param params[3];
    for (auto _ : s) {
        for (int i = 0; i < kCommands; ++i) {
            params[0].value = i;
            params[1].value = 2;
            params[2].value = 3;
            benchmark::DoNotOptimize(params);
            handler(engine.context, 3, params);
        }
    }
    benchmark::DoNotOptimize(g_sum);
    s.SetItemsProcessed(s.iterations() * kCommands);
}

}  // namespace

BENCHMARK(interpreter)->Name("Interpreter:three_int_params");
BENCHMARK(reference)->Name("Interpreter:reference");
BENCHMARK_MAIN();
