// Fuzzes the System.dat reader, and writes back what it read so that the writer sees odd values too.
#include <cstdint>
#include <memory>
#include <span>

#include "app/engine_state.h"
#include "saved/system_data.h"
#include "saved/system_data_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto state = std::make_unique<qeli::app::EngineState>();
    auto system = std::make_unique<qeli::saved::SystemData>();
    qeli::saved::decodeSystemData(std::span<const uint8_t>(data, size), *state, *system);
    qeli::saved::encodeSystemData(*state, *system, state->playTimeSeconds);
    return 0;
}
