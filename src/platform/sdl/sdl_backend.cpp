// The SDL backend: real threads and real time; input events become window messages on the main
// thread; message boxes are SDL's.
#include <SDL.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/backend.h"
#include "platform/main_thread_internal.h"
#include "platform/sdl/sdl_cursor.h"
#include "platform/sdl/sdl_input.h"
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
    SdlBackend() : m_wakeEvent(SDL_RegisterEvents(1)), m_start(SteadyClock::now()) {}
    ~SdlBackend() override {
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
        auto untilCursorStep = m_cursorAnimator.msUntilNextStep(nowMs());
        bool gotEvent = untilCursorStep ? SDL_WaitEventTimeout(&event, static_cast<int>(*untilCursorStep)) != 0
                                        : SDL_WaitEvent(&event) != 0;
        m_cursorAnimator.advance(nowMs());
        if (!gotEvent) return;
        do {
            if (event.type == m_wakeEvent) continue;
            if (auto message = translateSdlEvent(event)) deliverWindowMessage(*message);
        } while (!mainThreadHasWork() && SDL_PollEvent(&event));
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
        if (SDL_ShowMessageBox(&data, &pressed) != 0 || pressed < 0) {
            std::fprintf(stderr, "qeli: message box [%s] %s could not be answered: %s\n", request.caption.c_str(),
                         request.text.c_str(), SDL_GetError());
            return givingUpAnswer(request.buttons);
        }
        return static_cast<BoxAnswer>(pressed);
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

private:
    uint32_t m_wakeEvent;
    SteadyClock::time_point m_start;
    CursorAnimator m_cursorAnimator;
};

}  // namespace

std::unique_ptr<Backend> makeSdlBackend() {
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "qeli: cannot open a display (%s); use --headless to run without one\n", SDL_GetError());
        return nullptr;
    }
    return std::make_unique<SdlBackend>();
}

}  // namespace qeli::platform
