// The headless backend: no window, no audio device, virtual time. Message boxes are answered by the
// policy (a scripted answer, else the answer that gives up) and logged on stderr.
#include <cstdio>

#include "platform/backend.h"
#include "platform/headless/virtual_scheduler.h"
#include "platform/main_thread_internal.h"
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

private:
    VirtualScheduler m_scheduler;
};

}  // namespace

std::unique_ptr<Backend> makeHeadlessBackend(HeadlessOptions options) {
    return std::make_unique<HeadlessBackend>(std::move(options));
}

}  // namespace qeli::platform
