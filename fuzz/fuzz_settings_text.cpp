// Fuzzes the default.ini reader.
#include <cstdint>
#include <string_view>

#include "app/engine_state.h"
#include "app/settings_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    qeli::app::EngineState state;
    qeli::app::applySettingsText(std::string_view(reinterpret_cast<const char*>(data), size), state);
    return 0;
}
