// Fuzzes the Windows cursor reader (.cur, .ico, .ani) and checks what it returns is consistent.
#include <cstdint>
#include <span>

#include "files/cursor_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto cursor = qeli::files::parseCursorFile(std::span<const uint8_t>(data, size));
    if (!cursor) return 0;
    for (const auto& frame : cursor->frames)
        if (frame.rgba.size() != static_cast<size_t>(frame.width) * frame.height * 4) __builtin_trap();
    for (const auto& step : cursor->steps)
        if (step.frame >= cursor->frames.size()) __builtin_trap();
    return 0;
}
