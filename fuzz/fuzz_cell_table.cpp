// Fuzzes the sprite-cell table reader and the lookup of every character it finds.
#include <cstdint>
#include <span>

#include "graphics/cell_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto table = qeli::graphics::parseCellTable(std::span<const uint8_t>(data, size));
    for (size_t i = 0; i < table.characters.size(); ++i) {
        for (const auto& record : table.character(int32_t(i))) (void)record.type();
    }
    return 0;
}
