// The script language's speed: compiling a generated 1 MB source text, and an arithmetic loop of ten
// million steps written in the script language, run by the interpreter (commands per second).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "app/engine_state.h"
#include "platform/backend.h"
#include "platform/main_thread.h"
#include "saved/read_text_record.h"
#include "saved/system_data.h"
#include "script/compiler.h"
#include "script/interpreter.h"
#include "script/script_context.h"
#include "script/script_loader.h"

using namespace qeli;

namespace {

class SilentReporter final : public script::CompilerReporter {
public:
    platform::BoxAnswer report(const script::CompilerMessage&) override { return platform::BoxAnswer::Cancel; }
};

// A script of about 1 MB shaped like a game's: labels, text, assignments with expressions and calls,
// branches with else-blocks, jumps.
std::string generatedScript() {
    std::string text;
    char line[512];
    for (int i = 0; text.size() < 1'000'000; ++i) {
        std::snprintf(line, sizeof line,
                      "scene%d // scene %d\n"
                      "Flag[%d] = Flag[%d] * 3 + (Flag[%d] - 7) / 2 %% 5\n"
                      "String[%d] = \"\x82\xB1\x82\xF1\x82\xC9\x82\xBF\x82\xCD text %d\" + String[%d]\n"
                      "If (Flag[%d] > 10) { Flag[%d] = Random(6) } else { Flag[%d] = sin(%d) }\n"
                      "Wait(Flag[%d] + 1)\n"
                      "If (Flag[%d] = 3) { ScriptJump(scene%d) }\n",
                      i, i, i % 1000, (i + 1) % 1000, (i + 2) % 1000, i % 500, i, (i + 1) % 500, i % 1000,
                      i % 1000, i % 1000, i % 360, i % 1000, i % 1000, i / 2);
        text += line;
    }
    return text;
}

void BM_CompileOneMegabyteScript(benchmark::State& state) {
    const std::string source = generatedScript();
    std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(source.data()), source.size());
    SilentReporter reporter;
    for (auto _ : state) {
        auto compiled = script::compileScriptSource(bytes, reporter);
        if (!compiled) state.SkipWithError("the generated script was rejected");
        benchmark::DoNotOptimize(compiled);
    }
    // Items are source bytes: the report shows megabytes per second.
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(source.size()));
}
BENCHMARK(BM_CompileOneMegabyteScript)->Name("ScriptLanguage:compile_1MB_bytes")->Unit(benchmark::kMillisecond);

constexpr int32_t kLoopSteps = 10'000'000;

// Commands run in one pass through the loop body: those after the label, counted from the code.
int64_t commandsPerStep(const script::ScriptRecord& record) {
    int64_t commands = 0;
    bool inLoop = false;
    for (int32_t p = 0; p < record.codeLength();) {
        const script::Token* t = record.token(record.code[static_cast<size_t>(p)]);
        if (t && t->kind() == script::TokenType::Command) {
            commands += inLoop ? 1 : 0;
            p += 2 + record.code[static_cast<size_t>(p) + 1];
            continue;
        }
        inLoop = inLoop || (t && t->kind() == script::TokenType::Word);
        ++p;
    }
    return commands;
}

void BM_ArithmeticLoopInScript(benchmark::State& state) {
    if (!platform::hasBackend()) {
        platform::installBackend(platform::makeHeadlessBackend({}));
        platform::setMainThread();
    }
    std::ofstream("bench_loop.txt") << "Flag[0] = 0\n"
                                       "loop\n"
                                       "Flag[0] = Flag[0] + 1\n"
                                       "If (Flag[0] < " +
                                           std::to_string(kLoopSteps) +
                                           ") { ScriptJump(loop) }\n";
    app::EngineState engine;
    saved::SystemData system;
    saved::ReadTextRecord readText;
    script::ScriptContext context(script::engineCommandTable(), engine, system, readText);
    int64_t commands = 0;
    for (auto _ : state) {
        script::ScriptRecord& record = script::loadScript(context, "bench_loop.txt");
        commands += commandsPerStep(record) * kLoopSteps;
        script::run(context);
        if (context.flags[0] != kLoopSteps) state.SkipWithError("the loop did not run to its end");
    }
    // Items are the commands run: the report shows commands per second.
    state.SetItemsProcessed(commands);
    std::remove("bench_loop.txt");
}
BENCHMARK(BM_ArithmeticLoopInScript)->Name("ScriptLanguage:loop_10M_commands")->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
