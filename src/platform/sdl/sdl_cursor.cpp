#include "platform/sdl/sdl_cursor.h"

namespace qeli::platform {

std::shared_ptr<SdlCursor> SdlCursor::create(const CursorAnimation& animation) {
    std::shared_ptr<SdlCursor> cursor(new SdlCursor());
    for (const CursorFrame& frame : animation.frames) {
        if (frame.width <= 0 || frame.height <= 0 ||
            frame.rgba.size() != static_cast<size_t>(frame.width) * static_cast<size_t>(frame.height) * 4)
            return nullptr;
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
            const_cast<uint8_t*>(frame.rgba.data()), frame.width, frame.height, 32, frame.width * 4,
            SDL_PIXELFORMAT_RGBA32);
        if (!surface) return nullptr;
        SDL_Cursor* made = SDL_CreateColorCursor(surface, frame.hotX, frame.hotY);
        SDL_FreeSurface(surface);
        if (!made) return nullptr;
        cursor->m_frames.push_back(made);
    }
    for (const CursorStep& step : animation.steps)
        if (step.frame < cursor->m_frames.size()) cursor->m_steps.push_back(step);
    if (cursor->m_steps.empty()) return nullptr;
    return cursor;
}

SdlCursor::~SdlCursor() {
    for (SDL_Cursor* frame : m_frames) SDL_FreeCursor(frame);
}

void CursorAnimator::show(std::shared_ptr<Cursor> cursor, uint32_t nowMs) {
    auto previous = std::move(m_cursor);
    m_cursor = std::dynamic_pointer_cast<SdlCursor>(cursor);
    m_step = 0;
    m_stepStartMs = nowMs;
    SDL_SetCursor(m_cursor ? m_cursor->frameOfStep(0) : SDL_GetDefaultCursor());
    // `previous` is released only now, after SDL no longer shows any of its frames.
}

std::optional<uint32_t> CursorAnimator::msUntilNextStep(uint32_t nowMs) const {
    if (!m_cursor || m_cursor->stepCount() < 2) return std::nullopt;
    uint32_t elapsed = nowMs - m_stepStartMs;
    uint32_t duration = m_cursor->durationOfStep(m_step);
    return elapsed >= duration ? 0 : duration - elapsed;
}

void CursorAnimator::advance(uint32_t nowMs) {
    if (!m_cursor || m_cursor->stepCount() < 2) return;
    size_t shown = m_step;
    uint32_t elapsed = nowMs - m_stepStartMs;
    // At most one round per call: after a long stall (or with 0 ms steps) the animation resumes now.
    for (size_t passed = 0; elapsed >= m_cursor->durationOfStep(m_step); ++passed) {
        if (passed == m_cursor->stepCount()) {
            elapsed = 0;
            break;
        }
        elapsed -= m_cursor->durationOfStep(m_step);
        m_step = (m_step + 1) % m_cursor->stepCount();
    }
    m_stepStartMs = nowMs - elapsed;
    if (m_step != shown) SDL_SetCursor(m_cursor->frameOfStep(m_step));
}

}  // namespace qeli::platform
