#include "graphics/renderer.h"

#include <algorithm>

#include "graphics/blit.h"

namespace qeli::graphics {

Renderer& renderer() {
    static Renderer r;
    return r;
}

void Renderer::start() {
    if (m_ticker) return;
    m_lastTickMs = platform::nowMs();
    m_ticker = std::make_unique<platform::Ticker>(platform::TickOrder::Frame, kFramePeriodMs, [this] { frameTick(); });
}

void Renderer::stop() { m_ticker.reset(); }

void Renderer::attach(RenderWindow window) {
    LayerLock lock(layerLock());
    m_window = std::move(window);
}

void Renderer::detach() {
    LayerLock lock(layerLock());
    m_window = {};
}

void Renderer::setLayerSet(LayerSet* set) {
    LayerLock lock(layerLock());
    m_set = set;
    m_cache = {};
}

void Renderer::frameTick() {
    uint32_t now = platform::nowMs();
    int32_t elapsed = static_cast<int32_t>(now - m_lastTickMs);
    m_lastTickMs = now;
    {
        LayerLock lock(layerLock());
        if (m_window.paintingOff && *m_window.paintingOff) return;
        ++m_frames;
        bool destroyed = !m_window.destroyed || *m_window.destroyed;
        if (m_set && !destroyed) {
            m_set->effectLevel = m_effectLevel;
            bool moved = m_set->advance(elapsed);
            if (moved || m_set->isDirty()) drawFrame();
        }
    }
    m_frameDone.set();
}

bool Renderer::drawFrame() {
    LayerLock lock(layerLock());
    if (!m_set || !m_window.frame || !m_window.work || !m_window.destroyed || *m_window.destroyed) return false;
    if (m_drawStopped || transitionOwnsFrame || m_drawing) return false;
    m_drawing = true;
    Surface& work = *m_window.work;
    Rect dirty = m_set->dirty();
    m_set->takeDirty();
    dirty = {std::max(dirty.left, 0), std::max(dirty.top, 0), std::min(dirty.right, work.width()),
             std::min(dirty.bottom, work.height())};
    if (dirty.left < dirty.right && dirty.top < dirty.bottom) {
        // Where no layer covers the frame it shows white, as when the window was made, rather than
        // whatever was drawn there before.
        work.fillRect(dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top, 0xFFFFFF);
        // TODO: skip the weather layers at effect level -1 once weather effects exist.
        compose(*m_set, work, dirty, std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min(), 0, &m_cache);
        blit(*m_window.frame, dirty.left, dirty.top, work, dirty.left, dirty.top, dirty.right, dirty.bottom, 0);
        if (m_window.present) m_window.present(dirty);
    }
    m_drawing = false;
    return true;
}

void Renderer::drawNow() {
    LayerLock lock(layerLock());
    drawFrame();
}

void Renderer::waitFrame() {
    m_frameDone.reset();
    m_frameDone.wait(kFramePeriodMs);
    LayerLock lock(layerLock());
}

}  // namespace qeli::graphics
