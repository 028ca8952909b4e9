// The renderer in its ordinary (software) mode: the frame tick every 16 ms advances the layer set
// and draws what changed; `drawFrame` composes the dirty rectangle into the work surface, copies it
// into the frame surface and has the window present it; `drawNow` and `waitFrame` are what the
// commands use. One renderer per process, as there is one game window.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "graphics/compose.h"
#include "graphics/layer_set.h"
#include "platform/clock.h"
#include "platform/event.h"

namespace qeli::graphics {

inline constexpr uint32_t kFramePeriodMs = 16;

// What the game window lends the renderer while it exists.
struct RenderWindow {
    Surface* frame = nullptr;
    Surface* work = nullptr;
    const std::atomic<bool>* destroyed = nullptr;
    const std::atomic<bool>* paintingOff = nullptr;
    // Shows the frame surface's rectangle in the window.
    std::function<void(const Rect&)> present;
};

class Renderer {
public:
    Renderer() = default;
    ~Renderer() { stop(); }

    // Starts and stops the frame tick.
    void start();
    void stop();

    void attach(RenderWindow window);
    void detach();
    // The layer set drawn from now on (the game thread makes a fresh one for each run).
    void setLayerSet(LayerSet* set);
    LayerSet* layerSet() const { return m_set; }

    // With the layer lock held: composes and presents the dirty rectangle. False when nothing was
    // drawn (no window, draw-stop, a transition owns the frame, or a draw is already running).
    bool drawFrame();
    // Takes the layer lock and draws.
    void drawNow();
    // Lets the next frame run and waits for it (at most one frame period).
    void waitFrame();

    // The player's effect level (the menu may change it while the game thread holds the layer lock;
    // the frame tick hands it to the layer set).
    void setEffectLevel(int32_t level) { m_effectLevel = level; }

    // `DrawStop` state: changes to layers are not presented meanwhile.
    void setDrawStopped(bool stopped) { m_drawStopped = stopped; }
    bool drawStopped() const { return m_drawStopped; }
    // Set while a transition draws the frame itself.
    std::atomic<bool> transitionOwnsFrame{false};

    // The picture the player is to look at is complete (a wait for the player begins, `DrawStart`):
    // the handler set by the application takes a screenshot when asked to.
    void setPictureShownHandler(std::function<void()> handler) { m_pictureShown = std::move(handler); }
    void pictureShown() {
        if (m_pictureShown) m_pictureShown();
    }

    LayerCache& cache() { return m_cache; }
    uint64_t frameCount() const { return m_frames; }

private:
    void frameTick();

    RenderWindow m_window;
    LayerSet* m_set = nullptr;
    LayerCache m_cache;
    std::unique_ptr<platform::Ticker> m_ticker;
    platform::Event m_frameDone{false, false};
    uint32_t m_lastTickMs = 0;
    std::atomic<bool> m_drawStopped{false};
    std::atomic<int32_t> m_effectLevel{2};
    bool m_drawing = false;
    std::atomic<uint64_t> m_frames{0};
    std::function<void()> m_pictureShown;
};

Renderer& renderer();

}  // namespace qeli::graphics
