// Fuzzes the compiled-script reader and then runs what it accepted through parameter binding, so that
// offsets into the data area from a hostile file are exercised too.
#include <cstdint>
#include <span>

#include "fuzz_support.h"
#include "script/script_loader.h"

using namespace qeli;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzing::installHeadlessBackendOnce();
    auto script = script::parseCompiledScript(std::span<const uint8_t>(data, size));
    if (script) fuzzing::bindEveryToken(std::move(*script));
    return 0;
}
