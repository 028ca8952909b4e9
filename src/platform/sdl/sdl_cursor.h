// SDL colour cursors and their animation on the main thread: the backend asks how long it may wait
// for events before the next frame is due.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/cursor.h"

namespace qeli::platform {

class SdlCursor final : public Cursor {
public:
    // Null when SDL cannot make one of the frames.
    static std::shared_ptr<SdlCursor> create(const CursorAnimation& animation);
    ~SdlCursor() override;

    SDL_Cursor* frameOfStep(size_t step) const { return m_frames[m_steps[step].frame]; }
    uint32_t durationOfStep(size_t step) const { return m_steps[step].durationMs; }
    size_t stepCount() const { return m_steps.size(); }

private:
    SdlCursor() = default;
    std::vector<SDL_Cursor*> m_frames;
    std::vector<CursorStep> m_steps;
};

class CursorAnimator {
public:
    // Shows the cursor (null: the system's arrow) from its first step.
    void show(std::shared_ptr<Cursor> cursor, uint32_t nowMs);
    // How long the event wait may last before the next step is due; null when nothing animates.
    std::optional<uint32_t> msUntilNextStep(uint32_t nowMs) const;
    // Shows the steps whose time has come.
    void advance(uint32_t nowMs);

private:
    std::shared_ptr<SdlCursor> m_cursor;
    size_t m_step = 0;
    uint32_t m_stepStartMs = 0;
};

}  // namespace qeli::platform
