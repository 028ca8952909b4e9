// Colour mouse cursors made from RGBA frames, animated when they have several steps. The engine
// decodes cursor files itself (files/cursor_file.h); the backend only makes and shows the cursor.
// Headless runs accept cursors and show nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace qeli::platform {

struct CursorFrame {
    int width = 0;
    int height = 0;
    int hotX = 0;
    int hotY = 0;
    std::vector<uint8_t> rgba;  // width * height pixels, rows top-down, straight (not premultiplied) alpha
};

struct CursorStep {
    uint32_t frame = 0;
    uint32_t durationMs = 0;
};

// One frame and one step for a still cursor.
struct CursorAnimation {
    std::vector<CursorFrame> frames;
    std::vector<CursorStep> steps;
};

class Cursor {
public:
    virtual ~Cursor() = default;
};

// Null when the backend cannot make the cursor.
std::shared_ptr<Cursor> makeColourCursor(const CursorAnimation& animation);
// Shows the cursor over the game window (null: the system's arrow); the backend keeps it alive while
// shown. Callable from any thread.
void setCursor(std::shared_ptr<Cursor> cursor);

}  // namespace qeli::platform
