#include "app/window.h"

#include <algorithm>

#include "app/application.h"
#include "platform/cursor.h"
#include "platform/main_thread.h"
#include "platform/message_box.h"
#include "platform/virtual_keys.h"
#include "platform/window_events.h"
#include "platform/window_messages.h"

namespace qeli::app {

namespace {

bool inTable(const std::vector<int32_t>& table, uintptr_t key) {
    return std::find(table.begin(), table.end(), static_cast<int32_t>(key)) != table.end();
}

// Bit 30 of a key message's lParam: the key was already down (an auto-repeat).
bool isRepeat(intptr_t lParam) { return (static_cast<uint32_t>(lParam) >> 30) & 1; }

}  // namespace

classWindow::classWindow(EngineState& state) : m_state(state) {}
classWindow::~classWindow() = default;

// ---- creation and messages across threads ----

bool classWindow::createWindow() {
    m_cursorHidden = false;
    m_hasSystemWindow = platform::createGameWindow(placement());
    {
        graphics::LayerLock lock(graphics::layerLock());
        frameSurface.create(m_state.baseWidth, m_state.baseHeight);
        workSurface.create(m_state.baseWidth, m_state.baseHeight);
        weatherBackgroundSurface.create(m_state.baseWidth, m_state.baseHeight);
        frameSurface.fill(0xFFFFFF);
        workSurface.fill(0xFFFFFF);
        if (!layerSet) layerSet = std::make_unique<graphics::LayerSet>(m_state.baseWidth, m_state.baseHeight);
    }
    if (m_hasSystemWindow) {
        platform::setWindowMessageHandler(
            [this](const platform::WindowMessage& m) { windowProcedure(m.message, m.wParam, m.lParam); });
        windowProcedure(platform::wm::Create, 0, 0);
    }
    return true;
}

bool classWindow::destroyWindow() {
    if (!m_hasSystemWindow) return false;
    windowProcedure(platform::wm::Destroy, 0, 0);
    platform::setWindowMessageHandler({});
    platform::destroyGameWindow();
    m_hasSystemWindow = false;
    return true;
}

bool classWindow::createOnMainThread() {
    sendApplicationMessage(platform::MSG_WINDOW_CREATE, 0, reinterpret_cast<intptr_t>(this));
    return true;
}

void classWindow::destroyOnMainThread() {
    sendApplicationMessage(platform::MSG_WINDOW_DESTROY, 0, reinterpret_cast<intptr_t>(this));
}

intptr_t classWindow::send(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return platform::runOnMainThread([=, this] { return windowProcedure(message, wParam, lParam); });
}

void classWindow::post(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    platform::postToMainThread([=, this] { windowProcedure(message, wParam, lParam); });
}

void classWindow::show(bool show) {
    platform::runOnMainThread([=, this] {
        if (m_hasSystemWindow) platform::showGameWindow(show);
        return intptr_t{0};
    });
}

// ---- hooks ----

bool classWindow::addHook(classWindowMessageHook* hook) {
    std::lock_guard lock(m_hookMutex);
    if (!hook || std::find(m_hooks, m_hooks + kMaxHooks, hook) != m_hooks + kMaxHooks) return false;
    auto free = std::find(m_hooks, m_hooks + kMaxHooks, nullptr);
    if (free == m_hooks + kMaxHooks) return false;
    *free = hook;
    m_hookCount = std::max(m_hookCount, static_cast<int>(free - m_hooks) + 1);
    return true;
}

bool classWindow::removeHook(classWindowMessageHook* hook) {
    {
        std::lock_guard lock(m_hookMutex);
        auto found = std::find(m_hooks, m_hooks + kMaxHooks, hook);
        if (!hook || found == m_hooks + kMaxHooks) return false;
        *found = nullptr;
        while (m_hookCount > 0 && !m_hooks[m_hookCount - 1]) --m_hookCount;
    }
    post(platform::MSG_HOOK_REMOVED);
    return true;
}

bool classWindow::anyHookBusy() const {
    std::lock_guard lock(m_hookMutex);
    for (int i = 0; i < m_hookCount; ++i)
        if (m_hooks[i] && m_hooks[i]->busy) return true;
    return false;
}

void classWindow::abortNotice() {
    std::lock_guard lock(m_hookMutex);
    for (int i = 0; i < m_hookCount; ++i)
        if (m_hooks[i]) m_hooks[i]->messageHandler(platform::wm::Destroy, 0, 0);
}

intptr_t classWindow::passOn(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    {
        std::lock_guard lock(m_hookMutex);
        for (int i = 0; i < m_hookCount; ++i)
            if (m_hooks[i]) m_hooks[i]->messageHandler(message, wParam, lParam);
    }
    return defaultProcedure(message, wParam, lParam);
}

// What the system's default window procedure does for the messages the engine relies on.
intptr_t classWindow::defaultProcedure(uint32_t message, uintptr_t wParam, intptr_t) {
    switch (message) {
    case platform::wm::Close: destroyWindow(); return 0;
    case platform::wm::KeyUp:
        // The context-menu key asks for the menu from the keyboard.
        if (wParam == platform::vk::Apps) return windowProcedure(platform::wm::ContextMenu, 0, -1);
        return 0;
    default: return 0;
    }
}

// ---- the base window procedure ----

bool classWindow::countKey(uint32_t message, uintptr_t key, intptr_t lParam) {
    if (message == platform::wm::KeyUp) {
        if (inTable(m_state.decideKeys, key)) input.decideMark = false;
        if (inTable(m_state.windowEraseKeys, key)) input.windowEraseMark = false;
        return false;
    }
    if (isRepeat(lParam)) return false;
    if (inTable(m_state.decideKeys, key) && !input.decideMark) {
        input.decideMark = true;
        ++input.decidePresses;
    }
    if (inTable(m_state.windowEraseKeys, key) && !input.windowEraseMark) {
        input.windowEraseMark = true;
        ++input.windowErasePresses;
    }
    if (inTable(m_state.skipKeys, key)) {
        m_state.skipMode = !m_state.skipMode;
        abortNotice();
    }
    return false;
}

intptr_t classWindow::windowProcedure(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    namespace wm = platform::wm;
    switch (message) {
    case wm::Destroy: {
        std::lock_guard lock(m_hookMutex);
        std::fill(m_hooks, m_hooks + kMaxHooks, nullptr);
        m_hookCount = 0;
        m_destroyed = true;
        return 0;
    }
    case wm::Move:
        x = platform::pointParamX(lParam);
        y = platform::pointParamY(lParam);
        return 0;
    case wm::Paint:
        if (!paintingOff) showPicture();
        return 0;
    case wm::KeyDown:
    case wm::KeyUp: countKey(message, wParam, lParam); break;
    case wm::MouseMove:
        m_mouseX = platform::pointParamX(lParam);
        m_mouseY = platform::pointParamY(lParam);
        break;
    case wm::LButtonDown: ++input.leftPresses; input.leftDown = true; break;
    case wm::LButtonUp: input.leftDown = false; break;
    case wm::MButtonDown: ++input.middlePresses; input.middleDown = true; break;
    case wm::MButtonUp: input.middleDown = false; break;
    case wm::RButtonDown:
        ++input.rightPresses;
        input.rightDown = true;
        if (m_popupMenu.empty()) break;
        showPopupMenu(platform::pointParamX(lParam), platform::pointParamY(lParam));
        return 0;
    case wm::RButtonUp: input.rightDown = false; break;
    case wm::ContextMenu:
        // Mouse-made requests were served by the right button already.
        if (lParam != -1) return 0;
        showPopupMenu(m_mouseX, m_mouseY);
        return 0;
    case wm::MouseWheel: {
        auto distance = static_cast<int16_t>((wParam >> 16) & 0xFFFF);
        if (distance != 0) input.wheelTotal += distance / platform::kWheelDelta;
        break;
    }
    case wm::EnterMenuLoop:
        if (wParam == 1) m_menuOpen = true;
        break;
    case wm::ExitMenuLoop:
        // The overlay kept the click that closed the menu from the game.
        m_menuOpen = false;
        showPicture();
        break;
    case platform::MSG_CONFIRM_OKCANCEL:
    case platform::MSG_CONFIRM_OK:
    case platform::MSG_CONFIRM_YESNO: return confirm(message, wParam, lParam);
    case platform::MSG_CURSOR_SHOW:
        m_cursorHidden = false;
        platform::showSystemCursor(true);
        return 0;
    case platform::MSG_CURSOR_HIDE:
        m_cursorHidden = true;
        platform::showSystemCursor(false);
        return 0;
    default: break;
    }
    return passOn(message, wParam, lParam);
}

intptr_t classWindow::confirm(uint32_t message, uintptr_t caption, intptr_t text) {
    platform::MessageBoxRequest request{*reinterpret_cast<const std::string*>(caption),
                                        *reinterpret_cast<const std::string*>(text), platform::BoxButtons::OkCancel,
                                        platform::BoxIcon::Warning, true};
    platform::BoxAnswer wanted = platform::BoxAnswer::Ok;
    if (message == platform::MSG_CONFIRM_OK) request.buttons = platform::BoxButtons::Ok;
    if (message == platform::MSG_CONFIRM_YESNO) {
        request.buttons = platform::BoxButtons::YesNo;
        wanted = platform::BoxAnswer::Yes;
    } else {
        // The click that answers the box must not count as a click for the game.
        input.leftDown = false;
        input.rightDown = false;
    }
    return platform::showMessageBox(request) == wanted ? 1 : 0;
}

void classWindow::showPopupMenu(int32_t clientX, int32_t clientY) {
    if (m_popupMenu.empty()) return;
    windowProcedure(platform::wm::InitMenuPopup, 0, 0);
    platform::openPopupMenu(m_popupMenu, clientX, clientY);
}

// ---- sizes, points and presenting ----

platform::WindowPlacement classWindow::placement() const {
    return {x, y, m_clientWidth, m_clientHeight, sizable, m_title};
}

void classWindow::setClientArea(int32_t width, int32_t height, int32_t xOffset, int32_t yOffset) {
    m_clientWidth = width;
    m_clientHeight = height;
    m_xOffset = xOffset;
    m_yOffset = yOffset;
}

GamePoint classWindow::mapMousePoint(int32_t px, int32_t py) const {
    float factor = static_cast<float>(m_clientWidth) / static_cast<float>(m_state.baseWidth);
    if (factor <= 0) return {px, py};
    return {static_cast<int32_t>(static_cast<float>(px - m_xOffset) / factor),
            static_cast<int32_t>(static_cast<float>(py - m_yOffset) / factor)};
}

void classWindow::present() {
    graphics::LayerLock lock(graphics::layerLock());
    if (m_destroyed || !m_hasSystemWindow || !frameSurface.hasPixels()) return;
    platform::presentFrame({frameSurface.colourRow(0), frameSurface.width(), frameSurface.height()},
                           {m_xOffset, m_yOffset, m_clientWidth, m_clientHeight});
}

// The main thread never waits for the layer lock: the game thread may hold it while it waits for the
// main thread (a file error box during a load).
void classWindow::showPicture() {
    if (m_hasSystemWindow) platform::setPictureRect({m_xOffset, m_yOffset, m_clientWidth, m_clientHeight});
}

}  // namespace qeli::app
