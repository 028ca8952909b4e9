// The headless backend: no window, no audio device, virtual time. Message boxes are answered by the
// policy (a scripted answer, else the answer that gives up) and logged on stderr.
#include <cstdio>
#include <map>

#include "platform/backend.h"
#include "platform/headless/virtual_scheduler.h"
#include "platform/main_thread.h"
#include "platform/main_thread_internal.h"
#include "platform/window_events.h"
#include "platform/message_box_internal.h"

namespace qeli::platform {

namespace {

// Virtual time starts here rather than at 0, because scripts treat a clock value of 0 as "not started".
constexpr uint32_t kVirtualEpochMs = 10'000;

class HeadlessTicker final : public TickerHandle {
public:
    HeadlessTicker(VirtualScheduler& scheduler, int id) : m_scheduler(scheduler), m_id(id) {}
    ~HeadlessTicker() override { m_scheduler.removeTimer(m_id); }

private:
    VirtualScheduler& m_scheduler;
    int m_id;
};

class HeadlessBackend final : public Backend {
public:
    explicit HeadlessBackend(HeadlessOptions options) : m_scheduler(std::move(options)) {}

    bool isHeadless() const override { return true; }
    uint32_t nowMs() override { return kVirtualEpochMs + static_cast<uint32_t>(m_scheduler.now()); }
    uint64_t elapsedMs() override { return m_scheduler.now(); }

    void sleepMs(uint32_t ms) override {
        std::mutex mutex;
        std::unique_lock lock(mutex);
        m_scheduler.waitUntil(lock, [] { return false; }, ms);
    }

    bool waitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable&,
                   const std::function<bool()>& ready, std::optional<uint32_t> timeoutMs) override {
        return m_scheduler.waitUntil(lock, ready, timeoutMs);
    }

    std::unique_ptr<TickerHandle> startTicker(TickOrder order, uint32_t periodMs,
                                              std::function<void()> tick) override {
        return std::make_unique<HeadlessTicker>(m_scheduler, m_scheduler.addTimer(order, periodMs, std::move(tick)));
    }

    void waitForMainThreadEvents() override { waitForMainThreadWork(); }
    void wakeMainThread() override {}

    BoxAnswer presentMessageBox(const MessageBoxRequest& request) override {
        BoxAnswer answer = givingUpAnswer(request.buttons);
        if (auto queued = takeQueuedMessageBoxAnswer(); queued && answerFits(request.buttons, *queued))
            answer = *queued;
        std::fprintf(stderr, "qeli: message box [%s] %s (%s) -> %s\n", request.caption.c_str(),
                     request.text.c_str(), std::string(buttonsName(request.buttons)).c_str(),
                     std::string(answerName(answer)).c_str());
        return answer;
    }

    // Nothing is shown; the cursor is accepted so that loading it succeeds as it would with a window.
    std::shared_ptr<Cursor> createCursor(const CursorAnimation&) override { return std::make_shared<Cursor>(); }
    void setCursor(std::shared_ptr<Cursor>) override {}

    // A fixed full-HD desktop, so that headless runs size their windows the same on every machine.
    std::vector<DisplayMode> displayModes() override {
        return {{1920, 1080, 32}, {1280, 720, 32}, {1024, 768, 32}, {800, 600, 32}, {640, 480, 32}};
    }
    DisplayMode desktopMode() override { return {1920, 1080, 32}; }
    WindowMetrics windowMetrics() override { return {1920, 1040, 6, 6, 23}; }

    // The window exists only as its sizes, so that the engine's window logic runs as with a real one.
    bool createGameWindow(const WindowPlacement& placement) override {
        m_window = placement;
        m_hasWindow = true;
        return true;
    }
    void destroyGameWindow() override { m_hasWindow = false; }
    bool hasGameWindow() override { return m_hasWindow; }
    void showGameWindow(bool) override {}
    void placeGameWindow(const WindowPlacement& placement) override {
        m_window = placement;
        m_fullScreen = false;
    }
    bool setGameWindowFullScreen(bool fullScreen) override {
        m_fullScreen = fullScreen && m_hasWindow;
        return m_fullScreen == fullScreen;
    }
    ClientSize gameWindowClientSize() override {
        if (m_fullScreen) return {desktopMode().width, desktopMode().height};
        return {m_window.clientWidth, m_window.clientHeight};
    }
    void setGameWindowTitle(const std::string& title) override { m_window.title = title; }
    // Nobody can pick an item; tests send the menu's commands themselves.
    void openPopupMenu(Menu, int, int) override {}
    void showSystemCursor(bool) override {}
    Picture readGameWindowPixels() override { return lastPresentedFrame(); }

    void setPictureRect(PictureRect) override {}
    void presentFrame(FrameView frame, PictureRect) override {
        Picture copy = copyFrame(frame);
        std::lock_guard lock(m_frameMutex);
        m_lastFrame = std::move(copy);
    }
    Picture lastPresentedFrame() override {
        std::lock_guard lock(m_frameMutex);
        return m_lastFrame;
    }

    void setWindowTimer(uint32_t id, uint32_t periodMs) override {
        std::lock_guard lock(m_timerMutex);
        m_timers[id] = startTicker(TickOrder::Input, periodMs, [id] {
            postToMainThread([id] { deliverWindowMessage({wm::Timer, id, 0}); });
        });
    }
    void killWindowTimer(uint32_t id) override {
        std::unique_ptr<TickerHandle> timer;
        std::lock_guard lock(m_timerMutex);
        if (auto it = m_timers.find(id); it != m_timers.end()) {
            timer = std::move(it->second);
            m_timers.erase(it);
        }
    }

private:
    VirtualScheduler m_scheduler;
    WindowPlacement m_window;
    bool m_hasWindow = false;
    bool m_fullScreen = false;
    std::mutex m_frameMutex;
    Picture m_lastFrame;
    std::mutex m_timerMutex;
    std::map<uint32_t, std::unique_ptr<TickerHandle>> m_timers;
};

}  // namespace

std::unique_ptr<Backend> makeHeadlessBackend(HeadlessOptions options) {
    return std::make_unique<HeadlessBackend>(std::move(options));
}

}  // namespace qeli::platform
