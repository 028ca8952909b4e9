// The SDL backend: real threads and real time; input events become window messages on the main
// thread; the game window is sdl_window.h; message boxes are SDL's, or drawn in the game window when
// the system cannot show them.
#include <SDL.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <map>
#include <thread>

#include "platform/backend.h"
#include "platform/main_thread_internal.h"
#include "platform/sdl/sdl_cursor.h"
#include "platform/sdl/sdl_input.h"
#include "platform/sdl/sdl_window.h"
#include "platform/thread.h"
#include "platform/window_events.h"

namespace qeli::platform {

namespace {

using SteadyClock = std::chrono::steady_clock;

class RealTicker final : public TickerHandle {
public:
    RealTicker(uint32_t periodMs, std::function<void()> tick)
        : m_thread([periodMs, tick = std::move(tick)](ThreadObject& self) {
              auto next = SteadyClock::now();
              while (!self.stopRequested()) {
                  tick();
                  next += std::chrono::milliseconds(periodMs);
                  std::this_thread::sleep_until(next);
              }
          }) {
        m_thread.start();
    }
    ~RealTicker() override { m_thread.stop(); }

private:
    ThreadObject m_thread;
};

SDL_MessageBoxFlags boxFlags(BoxIcon icon) {
    switch (icon) {
    case BoxIcon::Error: return SDL_MESSAGEBOX_ERROR;
    case BoxIcon::Warning: return SDL_MESSAGEBOX_WARNING;
    default: return SDL_MESSAGEBOX_INFORMATION;
    }
}

std::vector<SDL_MessageBoxButtonData> boxButtons(BoxButtons buttons) {
    auto button = [](BoxAnswer answer, const char* text) {
        return SDL_MessageBoxButtonData{0, static_cast<int>(answer), text};
    };
    switch (buttons) {
    case BoxButtons::Ok: return {button(BoxAnswer::Ok, "OK")};
    case BoxButtons::OkCancel: return {button(BoxAnswer::Ok, "OK"), button(BoxAnswer::Cancel, "キャンセル")};
    case BoxButtons::YesNo: return {button(BoxAnswer::Yes, "はい"), button(BoxAnswer::No, "いいえ")};
    case BoxButtons::RetryCancel:
        return {button(BoxAnswer::Retry, "再試行"), button(BoxAnswer::Cancel, "キャンセル")};
    case BoxButtons::AbortRetryIgnore:
        return {button(BoxAnswer::Abort, "中止"), button(BoxAnswer::Retry, "再試行"),
                button(BoxAnswer::Ignore, "無視")};
    }
    return {button(BoxAnswer::Ok, "OK")};
}

class SdlBackend final : public Backend {
public:
    SdlBackend() : m_wakeEvent(SDL_RegisterEvents(2)), m_timerEvent(m_wakeEvent + 1), m_start(SteadyClock::now()) {}
    ~SdlBackend() override {
        for (auto& [id, timer] : m_timers) SDL_RemoveTimer(timer);
        m_window.reset();
        m_cursorAnimator.show(nullptr, 0);
        SDL_Quit();
    }

    bool isHeadless() const override { return false; }

    uint32_t nowMs() override {
        auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now().time_since_epoch());
        return static_cast<uint32_t>(ms.count());
    }

    uint64_t elapsedMs() override {
        return static_cast<uint64_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - m_start).count());
    }

    void sleepMs(uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

    bool waitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& changed,
                   const std::function<bool()>& ready, std::optional<uint32_t> timeoutMs) override {
        if (!timeoutMs) {
            changed.wait(lock, ready);
            return true;
        }
        return changed.wait_for(lock, std::chrono::milliseconds(*timeoutMs), ready);
    }

    std::unique_ptr<TickerHandle> startTicker(TickOrder, uint32_t periodMs, std::function<void()> tick) override {
        return std::make_unique<RealTicker>(std::max<uint32_t>(periodMs, 1), std::move(tick));
    }

    void waitForMainThreadEvents() override {
        SDL_Event event;
        std::optional<uint32_t> timeout = m_cursorAnimator.msUntilNextStep(nowMs());
        // An open menu or box is drawn every frame so that it follows the mouse.
        if (m_window && m_window->overlayActive()) timeout = std::min<uint32_t>(timeout.value_or(16), 16);
        bool gotEvent = timeout ? SDL_WaitEventTimeout(&event, static_cast<int>(*timeout)) != 0
                                : SDL_WaitEvent(&event) != 0;
        m_cursorAnimator.advance(nowMs());
        if (gotEvent) {
            do handleEvent(event);
            while (!mainThreadHasWork() && SDL_PollEvent(&event));
        }
        if (m_window) m_window->renderIfNeeded();
    }

    void wakeMainThread() override {
        SDL_Event event{};
        event.type = m_wakeEvent;
        SDL_PushEvent(&event);
    }

    BoxAnswer presentMessageBox(const MessageBoxRequest& request) override {
        auto buttons = boxButtons(request.buttons);
        for (auto& b : buttons)
            if (b.buttonid == static_cast<int>(givingUpAnswer(request.buttons)))
                b.flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
        SDL_MessageBoxData data{};
        data.flags = boxFlags(request.icon);
        data.title = request.caption.c_str();
        data.message = request.text.c_str();
        data.numbuttons = static_cast<int>(buttons.size());
        data.buttons = buttons.data();
        int pressed = -1;
        if (SDL_ShowMessageBox(&data, &pressed) == 0 && pressed >= 0) return static_cast<BoxAnswer>(pressed);
        if (m_window && m_window->shown()) return m_window->runMessageBox(request);
        std::fprintf(stderr, "qeli: message box [%s] %s could not be answered: %s\n", request.caption.c_str(),
                     request.text.c_str(), SDL_GetError());
        return givingUpAnswer(request.buttons);
    }

    std::shared_ptr<Cursor> createCursor(const CursorAnimation& animation) override {
        return SdlCursor::create(animation);
    }
    void setCursor(std::shared_ptr<Cursor> cursor) override { m_cursorAnimator.show(std::move(cursor), nowMs()); }

    std::vector<DisplayMode> displayModes() override {
        std::vector<DisplayMode> modes;
        int count = SDL_GetNumDisplayModes(0);
        for (int i = 0; i < count; ++i) {
            SDL_DisplayMode mode;
            if (SDL_GetDisplayMode(0, i, &mode) == 0)
                modes.push_back({mode.w, mode.h, static_cast<int>(SDL_BITSPERPIXEL(mode.format))});
        }
        return modes;
    }

    DisplayMode desktopMode() override {
        SDL_DisplayMode mode;
        if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return {640, 480, 32};
        int bits = static_cast<int>(SDL_BITSPERPIXEL(mode.format));
        return {mode.w, mode.h, bits == 24 ? 32 : bits};
    }

    // SDL does not report decoration sizes before a window exists; these are a typical frame's.
    WindowMetrics windowMetrics() override {
        SDL_Rect usable;
        if (SDL_GetDisplayUsableBounds(0, &usable) != 0) {
            DisplayMode desktop = desktopMode();
            usable = {0, 0, desktop.width, desktop.height};
        }
        return {usable.w, usable.h, 6, 6, 23};
    }

    bool createGameWindow(const WindowPlacement& placement) override {
        auto window = SdlWindow::create(placement, m_wakeEvent);
        std::lock_guard lock(m_windowMutex);
        m_window = std::move(window);
        return m_window != nullptr;
    }
    void destroyGameWindow() override {
        std::lock_guard lock(m_windowMutex);
        m_window.reset();
    }
    bool hasGameWindow() override { return m_window != nullptr; }
    void showGameWindow(bool show) override {
        if (m_window) m_window->show(show);
    }
    void placeGameWindow(const WindowPlacement& placement) override {
        if (m_window) m_window->place(placement);
    }
    bool setGameWindowFullScreen(bool fullScreen) override { return m_window && m_window->setFullScreen(fullScreen); }
    ClientSize gameWindowClientSize() override { return m_window ? m_window->clientSize() : ClientSize{}; }
    void setGameWindowTitle(const std::string& title) override {
        if (m_window) m_window->setTitle(title);
    }
    void openPopupMenu(Menu menu, int clientX, int clientY) override {
        if (m_window) m_window->openPopupMenu(std::move(menu), clientX, clientY);
    }
    void showSystemCursor(bool show) override { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }
    Picture readGameWindowPixels() override { return m_window ? m_window->readPixels() : Picture{}; }
    void setPictureRect(PictureRect where) override {
        if (m_window) m_window->setPictureRect(where);
    }
    // The frame thread presents while the main thread may create or destroy the window.
    void presentFrame(FrameView frame, PictureRect where) override {
        std::lock_guard lock(m_windowMutex);
        if (m_window) m_window->presentFrame(frame, where);
    }
    Picture lastPresentedFrame() override {
        std::lock_guard lock(m_windowMutex);
        return m_window ? m_window->lastFrame() : Picture{};
    }

    void setWindowTimer(uint32_t id, uint32_t periodMs) override {
        std::lock_guard lock(m_timerMutex);
        if (auto it = m_timers.find(id); it != m_timers.end()) SDL_RemoveTimer(it->second);
        m_timers[id] = SDL_AddTimer(std::max<uint32_t>(periodMs, 1), timerTick,
                                    reinterpret_cast<void*>(uintptr_t{(uintptr_t(m_timerEvent) << 32) | id}));
    }
    void killWindowTimer(uint32_t id) override {
        std::lock_guard lock(m_timerMutex);
        if (auto it = m_timers.find(id); it != m_timers.end()) {
            SDL_RemoveTimer(it->second);
            m_timers.erase(it);
        }
    }

private:
    // SDL's timer thread: the tick becomes an event for the main thread.
    static Uint32 timerTick(Uint32 interval, void* param) {
        auto packed = reinterpret_cast<uintptr_t>(param);
        SDL_Event event{};
        event.type = static_cast<Uint32>(packed >> 32);
        event.user.code = static_cast<Sint32>(packed & 0xFFFFFFFF);
        SDL_PushEvent(&event);
        return interval;
    }

    void handleEvent(const SDL_Event& event) {
        if (event.type == m_wakeEvent) return;
        if (event.type == m_timerEvent) {
            deliverWindowMessage({wm::Timer, static_cast<uintptr_t>(static_cast<uint32_t>(event.user.code)), 0});
            return;
        }
        if (m_window && m_window->handleEvent(event)) return;
        if (auto message = translateSdlEvent(event)) deliverWindowMessage(*message);
    }

    uint32_t m_wakeEvent;
    uint32_t m_timerEvent;
    std::mutex m_windowMutex;
    std::unique_ptr<SdlWindow> m_window;
    std::mutex m_timerMutex;
    std::map<uint32_t, SDL_TimerID> m_timers;
    SteadyClock::time_point m_start;
    CursorAnimator m_cursorAnimator;
};

}  // namespace

std::unique_ptr<Backend> makeSdlBackend() {
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
        std::fprintf(stderr, "qeli: cannot open a display (%s); use --headless to run without one\n", SDL_GetError());
        return nullptr;
    }
    return std::make_unique<SdlBackend>();
}

}  // namespace qeli::platform
