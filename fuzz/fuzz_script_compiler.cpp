// Fuzzes the script compiler with any bytes as source text (through the UTF-8 pre-conversion), then
// binds every token of what it produced, as the interpreter would.
#include <cstdint>
#include <span>

#include "fuzz_support.h"
#include "script/compiler.h"
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
    fuzzing::installHeadlessBackendOnce();
    SilentReporter reporter;
    auto text = script::preconvertScriptSource(std::span<const uint8_t>(data, size), reporter);
    if (!text) return 0;
    if (auto script = script::compileScriptSource(*text, reporter)) fuzzing::bindEveryToken(std::move(*script));
    return 0;
}
