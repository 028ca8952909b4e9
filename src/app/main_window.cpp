#include "app/main_window.h"

#include "app/game_window_requests.h"

#include "app/popup_menu.h"
#include "app/window_geometry.h"
#include "graphics/renderer.h"
#include "platform/cursor.h"
#include "platform/display.h"
#include "platform/font_families.h"
#include "platform/main_thread.h"
#include "platform/message_box.h"
#include "platform/text_encoding.h"
#include "platform/virtual_keys.h"
#include "platform/window_messages.h"
#include "script/script_context.h"

namespace qeli::app {

namespace {

constexpr uint32_t kCursorTimer = 0;

}  // namespace

classMainWindow::classMainWindow(EngineState& state, script::ScriptContext& context)
    : classWindow(state), m_context(context) {}

classMainWindow::~classMainWindow() { m_watcher.stop(); }

void classMainWindow::placeForGame(int32_t screenWidth, int32_t screenHeight) {
    setClientArea(m_state.windowWidth, m_state.windowHeight, 0, 0);
    x = (screenWidth - m_state.windowWidth) / 2;
    y = (screenHeight - m_state.windowHeight) / 2;
    sizable = m_state.windowSizeVariable != 0;
    m_windowed = placement();
}

// ---- the game window procedure ----

intptr_t classMainWindow::windowProcedure(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (auto result = handleGameMessage(message, wParam, lParam)) return *result;
    return classWindow::windowProcedure(message, wParam, lParam);
}

std::optional<intptr_t> classMainWindow::handleGameMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    namespace wm = platform::wm;
    switch (message) {
    case wm::Create: onCreate(); return std::nullopt;
    case wm::Destroy: onDestroy(); return std::nullopt;
    case wm::Close: return onClose(wParam, lParam);
    case wm::SetCursor:
    case wm::MouseMove: onMouseActivity(); return std::nullopt;
    case wm::Timer:
        if (wParam != kCursorTimer) return std::nullopt;
        platform::killWindowTimer(kCursorTimer);
        post(platform::MSG_CURSOR_HIDE);
        return std::nullopt;
    case wm::WindowPosChanged: showPicture(); return std::nullopt;
    case wm::Size:
        onSize(platform::pointParamX(lParam), platform::pointParamY(lParam));
        return std::nullopt;
    case wm::KeyDown:
        if (wParam == platform::vk::Escape) post(wm::Close);
        return std::nullopt;
    case wm::SysKeyUp:
        if (wParam != platform::vk::Return) return std::nullopt;
        if (!anyHookBusy()) switchFullScreen(!fullScreen());
        return 0;
    // TODO: a left click on the auto-mode button ends auto mode, once the click areas exist.
    case wm::InitMenuPopup: onInitMenuPopup(); return 0;
    case wm::Command: return onCommand(static_cast<uint32_t>(wParam & 0xFFFF), lParam);
    case platform::MSG_POPUP_SAVE_MENU: showSubMenu(menu_id::Save, lParam); return 0;
    case platform::MSG_POPUP_LOAD_MENU: showSubMenu(menu_id::Load, lParam); return 0;
    case platform::MSG_POPUP_FONT_MENU: showSubMenu(menu_id::FontFirst, lParam); return 0;
    // TODO: the volume dialog and the save-file dialog, with the mixer and file extraction.
    case platform::MSG_VOLUME_DIALOG:
    case platform::MSG_SAVE_FILE_DIALOG: return 0;
    default: return std::nullopt;
    }
}

void classMainWindow::onCreate() {
    graphics::renderer().attach({&frameSurface, &workSurface, &m_destroyed, &paintingOff,
                                 [this](const graphics::Rect&) { present(); }});
    graphics::renderer().setLayerSet(layerSet.get());
    m_popupMenu = buildPopupMenu(platform::japaneseFontFamilies());
    m_watcher.start(m_state, [this](const SlotEntry& entry) { setSlotEntry(m_popupMenu, entry.slot, entry.text, entry.saved); });
}

void classMainWindow::onDestroy() {
    graphics::renderer().detach();
    graphics::renderer().setLayerSet(nullptr);
    m_watcher.stop();
    platform::killWindowTimer(kCursorTimer);
    m_state.scriptExit = 1;
    platform::quitMainLoop(0);
}

intptr_t classMainWindow::onClose(uintptr_t wParam, intptr_t lParam) {
    if (!askToQuit(m_state)) return 0;
    return classWindow::windowProcedure(platform::wm::Close, wParam, lParam);
}

bool classMainWindow::ask(const char* text) {
    platform::MessageBoxRequest request{"確認", text, platform::BoxButtons::OkCancel, platform::BoxIcon::Warning, true};
    return platform::showMessageBox(request) == platform::BoxAnswer::Ok;
}

void classMainWindow::onMouseActivity() {
    if (m_cursorHidden) post(platform::MSG_CURSOR_SHOW);
    if (int32_t hideAfter = m_state.cursorAutoHideMs; hideAfter > 0)
        platform::setWindowTimer(kCursorTimer, static_cast<uint32_t>(hideAfter));
}

void classMainWindow::onSize(int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) return;
    if (fullScreen()) {
        PictureArea picture = letterbox(m_state.baseWidth, m_state.baseHeight, width, height);
        setClientArea(picture.width, picture.height, picture.x, picture.y);
    } else {
        PictureArea kept = keepAspect(m_state.baseWidth, m_state.baseHeight, m_clientWidth, m_clientHeight, width, height);
        setClientArea(kept.width, kept.height, 0, 0);
        if (kept.width != width || kept.height != height) platform::placeGameWindow(placement());
        m_windowed = placement();
    }
    showPicture();
}

void classMainWindow::showSubMenu(uint32_t menuId, intptr_t clientPoint) {
    const platform::Menu* items = nullptr;
    if (menuId == menu_id::FontFirst) {
        for (const platform::MenuItem& item : m_popupMenu)
            if (!item.items.empty() && item.items.front().id == menu_id::FontFirst) items = &item.items;
    } else if (const platform::MenuItem* holder = platform::findMenuItem(m_popupMenu, menuId)) {
        items = &holder->items;
    }
    if (!items || items->empty()) return;
    onInitMenuPopup();
    platform::openPopupMenu(*items, platform::pointParamX(clientPoint), platform::pointParamY(clientPoint));
}

// ---- the menu ----

void classMainWindow::onInitMenuPopup() {
    MenuState state;
    state.fullScreen = fullScreen();
    state.hookBusy = anyHookBusy();
    state.desktopBitsPerPixel = m_state.desktopBitsPerPixel;
    state.textSpeed = m_state.textSpeed;
    state.effectLevel = m_state.effectLevel;
    state.transitionSkip = m_state.transitionSkip != 0;
    state.saveEnable = m_state.saveEnable != 0;
    state.loadEnable = m_state.loadEnable != 0;
    state.skipMode = m_state.skipMode != 0;
    state.alreadySkipMode = m_state.alreadySkipMode != 0;
    state.autoMode = m_state.autoMode != 0;
    // Read while the game thread runs, as the original did: a frame pushed or popped meanwhile
    // only changes which level the greyed marks follow.
    const script::ScriptRecord* frame = m_context.top();
    state.skipLevel = frame ? frame->skipLevel : 0;
    applyMenuState(m_popupMenu, state);
}

intptr_t classMainWindow::onCommand(uint32_t id, intptr_t lParam) {
    using namespace menu_id;
    switch (id) {
    case FullScreen:
    case Windowed:
        if ((id == FullScreen) != fullScreen()) {
            switchFullScreen(id == FullScreen);
        }
        return 0;
    case Exit: post(platform::wm::Close); return 0;
    case TextSlow: m_state.textSpeed = 60; return 0;
    case TextNormal: m_state.textSpeed = 30; return 0;
    case TextFast: m_state.textSpeed = 1; return 0;
    case TextNoWait: m_state.textSpeed = 0; return 0;
    case EffectSpeed: setEffectLevel(0); return 0;
    case EffectNormal: setEffectLevel(1); return 0;
    case EffectQuality: setEffectLevel(2); return 0;
    case TransitionOn: m_state.transitionSkip = 0; return 0;
    case TransitionOff: m_state.transitionSkip = 1; return 0;
    case Skip: m_state.skipMode = !m_state.skipMode; abortNotice(); return 0;
    case AlreadySkip: m_state.alreadySkipMode = !m_state.alreadySkipMode; abortNotice(); return 0;
    case AutoPlay: m_state.autoMode = !m_state.autoMode; abortNotice(); return 0;
    case HideTextWindow: post(platform::MSG_HIDE_TEXT_WINDOW); return 0;
    case ReturnToTitle:
        if (askReturnToTitle(m_state, lParam)) abortNotice();
        return 0;
    default: break;
    }
    if (id >= FontFirst && id <= FontLast) {
        if (const platform::MenuItem* font = platform::findMenuItem(m_popupMenu, id))
            // TODO: recreate the 16 font slots with this face once glyph rendering exists.
            m_state.chosenFontFace = platform::utf8ToCp932(font->text).value_or(font->text);
        return 0;
    }
    onSlotCommand(id);
    return 0;
}

void classMainWindow::setEffectLevel(int32_t level) {
    m_state.effectLevel = level;
    graphics::renderer().setEffectLevel(level);
}

void classMainWindow::onSlotCommand(uint32_t id) {
    using namespace menu_id;
    if (id >= SaveSlotFirst && id <= SaveSlotLast && m_state.saveEnable) {
        // The game thread stops before its next command, so that the state does not change while
        // it is written.
        m_context.gate.reset();
        // TODO: write the slot (comment: the window title) once save slots exist.
        ask("セーブします。よろしいですか？");
        m_context.gate.set();
    } else if (id >= LoadSlotFirst && id <= LoadSlotLast && m_state.loadEnable) {
        if (!ask("ロードします。よろしいですか？")) return;
        m_state.loadSlot = static_cast<int32_t>(id - 49000);
        m_state.loadRequest = 1;
        abortNotice();
    }
}

// ---- full screen ----

void classMainWindow::switchFullScreen(bool on) {
    if (on) enterFullScreen();
    else leaveFullScreen();
    showPicture();
    platform::setCursor(m_state.settings.normalCursor);
}

void classMainWindow::enterFullScreen() {
    if (!m_hasSystemWindow) return;
    m_windowed = placement();
    if (!platform::setGameWindowFullScreen(true)) {
        leaveFullScreen();
        return;
    }
    // The desktop keeps its resolution; the picture keeps the game's aspect ratio inside it.
    platform::DisplayMode desktop = platform::desktopMode();
    PictureArea picture = letterbox(m_state.baseWidth, m_state.baseHeight, desktop.width, desktop.height);
    setClientArea(picture.width, picture.height, picture.x, picture.y);
    m_state.fullScreen = 1;
}

void classMainWindow::leaveFullScreen() {
    if (m_hasSystemWindow) platform::setGameWindowFullScreen(false);
    setClientArea(m_windowed.clientWidth, m_windowed.clientHeight, 0, 0);
    x = m_windowed.x;
    y = m_windowed.y;
    if (m_hasSystemWindow) platform::placeGameWindow(placement());
    m_state.fullScreen = 0;
}

}  // namespace qeli::app
