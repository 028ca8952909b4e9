// The services a platform backend provides: clock and waits, periodic ticks, the main thread's event
// wait and message boxes. platform/sdl runs them on real threads and time; platform/headless runs the
// engine in virtual time with no window. Engine code uses the wrappers (clock.h, event.h, ...).
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include "platform/cursor.h"
#include "platform/display.h"
#include "platform/game_window.h"
#include "platform/message_box.h"

namespace qeli::platform {

// Ticks due at the same instant run in this order.
enum class TickOrder { Input = 0, Sound = 1, Frame = 2 };

class TickerHandle {
public:
    virtual ~TickerHandle() = default;
};

class Backend {
public:
    virtual ~Backend() = default;
    virtual bool isHeadless() const = 0;

    // A millisecond clock that wraps like the system's multimedia timer; never 0 in practice.
    virtual uint32_t nowMs() = 0;
    // Milliseconds since the backend was installed (virtual time in headless runs).
    virtual uint64_t elapsedMs() = 0;
    virtual void sleepMs(uint32_t ms) = 0;
    // Blocks until ready() holds or the time-out passes; `lock` guards what ready() reads and is held
    // on return. `changed` is notified by whoever makes ready() true. Returns ready().
    virtual bool waitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& changed,
                           const std::function<bool()>& ready, std::optional<uint32_t> timeoutMs) = 0;
    virtual std::unique_ptr<TickerHandle> startTicker(TickOrder order, uint32_t periodMs,
                                                      std::function<void()> tick) = 0;

    // Main thread: waits until queued work or backend events arrive, and handles the backend's events.
    virtual void waitForMainThreadEvents() = 0;
    // Another thread queued work for the main thread.
    virtual void wakeMainThread() = 0;
    // Called on the main thread; returns what the player (or the headless policy) answered.
    virtual BoxAnswer presentMessageBox(const MessageBoxRequest& request) = 0;

    // Null when no cursor can be made. setCursor runs on the main thread.
    virtual std::shared_ptr<Cursor> createCursor(const CursorAnimation& animation) = 0;
    virtual void setCursor(std::shared_ptr<Cursor> cursor) = 0;

    virtual std::vector<DisplayMode> displayModes() = 0;
    virtual DisplayMode desktopMode() = 0;
    virtual WindowMetrics windowMetrics() = 0;

    // The game window (game_window.h); all but presentFrame and the timers run on the main thread.
    virtual bool createGameWindow(const WindowPlacement& placement) = 0;
    virtual void destroyGameWindow() = 0;
    virtual bool hasGameWindow() = 0;
    virtual void showGameWindow(bool show) = 0;
    virtual void placeGameWindow(const WindowPlacement& placement) = 0;
    virtual bool setGameWindowFullScreen(bool fullScreen) = 0;
    virtual ClientSize gameWindowClientSize() = 0;
    virtual void setGameWindowTitle(const std::string& title) = 0;
    virtual void openPopupMenu(Menu menu, int clientX, int clientY) = 0;
    virtual void showSystemCursor(bool show) = 0;
    virtual Picture readGameWindowPixels() = 0;
    virtual void setPictureRect(PictureRect where) = 0;
    virtual void presentFrame(FrameView frame, PictureRect where) = 0;
    virtual Picture lastPresentedFrame() = 0;
    virtual void setWindowTimer(uint32_t id, uint32_t periodMs) = 0;
    virtual void killWindowTimer(uint32_t id) = 0;
};

void installBackend(std::unique_ptr<Backend> backend);
Backend& backend();
bool hasBackend();
// Hands the installed backend back (destroying it ends it).
std::unique_ptr<Backend> uninstallBackend();

struct HeadlessOptions {
    uint64_t timeLimitMs = 3'600'000;
    // Runs once, on the thread whose wait reached the limit, when virtual time reaches the limit.
    std::function<void()> onTimeLimit;
};

std::unique_ptr<Backend> makeHeadlessBackend(HeadlessOptions options);
// Returns null (with the reason on stderr) when no display can be opened.
std::unique_ptr<Backend> makeSdlBackend();

}  // namespace qeli::platform
