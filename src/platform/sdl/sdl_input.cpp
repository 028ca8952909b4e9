#include "platform/sdl/sdl_input.h"

#include <array>

#include "platform/virtual_keys.h"

namespace qeli::platform {

namespace {

struct KeyPair {
    SDL_Scancode scancode;
    int vk;
};

// Keys by position, so that a Japanese or a US layout gives the codes the game's authors tested with.
constexpr KeyPair kKeys[] = {
    {SDL_SCANCODE_BACKSPACE, vk::Back},      {SDL_SCANCODE_TAB, vk::Tab},
    {SDL_SCANCODE_CLEAR, vk::Clear},         {SDL_SCANCODE_RETURN, vk::Return},
    {SDL_SCANCODE_RETURN2, vk::Return},      {SDL_SCANCODE_KP_ENTER, vk::Return},
    {SDL_SCANCODE_PAUSE, vk::Pause},         {SDL_SCANCODE_CAPSLOCK, vk::Capital},
    {SDL_SCANCODE_LANG3, vk::Kana},          {SDL_SCANCODE_INTERNATIONAL2, vk::Kana},
    {SDL_SCANCODE_LANG5, vk::Kanji},         {SDL_SCANCODE_GRAVE, vk::Oem3},
    {SDL_SCANCODE_ESCAPE, vk::Escape},       {SDL_SCANCODE_INTERNATIONAL4, vk::Convert},
    {SDL_SCANCODE_INTERNATIONAL5, vk::NonConvert},
    {SDL_SCANCODE_SPACE, vk::Space},         {SDL_SCANCODE_PAGEUP, vk::Prior},
    {SDL_SCANCODE_PAGEDOWN, vk::Next},       {SDL_SCANCODE_END, vk::End},
    {SDL_SCANCODE_HOME, vk::Home},           {SDL_SCANCODE_LEFT, vk::Left},
    {SDL_SCANCODE_UP, vk::Up},               {SDL_SCANCODE_RIGHT, vk::Right},
    {SDL_SCANCODE_DOWN, vk::Down},           {SDL_SCANCODE_SELECT, vk::Select},
    {SDL_SCANCODE_EXECUTE, vk::Execute},     {SDL_SCANCODE_PRINTSCREEN, vk::Snapshot},
    {SDL_SCANCODE_INSERT, vk::Insert},       {SDL_SCANCODE_DELETE, vk::Delete},
    {SDL_SCANCODE_HELP, vk::Help},           {SDL_SCANCODE_LGUI, vk::LWin},
    {SDL_SCANCODE_RGUI, vk::RWin},           {SDL_SCANCODE_APPLICATION, vk::Apps},
    {SDL_SCANCODE_SLEEP, vk::Sleep},         {SDL_SCANCODE_KP_MULTIPLY, vk::Multiply},
    {SDL_SCANCODE_KP_PLUS, vk::Add},         {SDL_SCANCODE_KP_COMMA, vk::Separator},
    {SDL_SCANCODE_KP_MINUS, vk::Subtract},   {SDL_SCANCODE_KP_PERIOD, vk::Decimal},
    {SDL_SCANCODE_KP_DIVIDE, vk::Divide},    {SDL_SCANCODE_NUMLOCKCLEAR, vk::NumLock},
    {SDL_SCANCODE_SCROLLLOCK, vk::Scroll},   {SDL_SCANCODE_LSHIFT, vk::Shift},
    {SDL_SCANCODE_RSHIFT, vk::Shift},        {SDL_SCANCODE_LCTRL, vk::Control},
    {SDL_SCANCODE_RCTRL, vk::Control},       {SDL_SCANCODE_LALT, vk::Menu},
    {SDL_SCANCODE_RALT, vk::Menu},           {SDL_SCANCODE_AC_BACK, vk::BrowserBack},
    {SDL_SCANCODE_MUTE, vk::VolumeMute},     {SDL_SCANCODE_VOLUMEDOWN, vk::VolumeDown},
    {SDL_SCANCODE_VOLUMEUP, vk::VolumeUp},   {SDL_SCANCODE_AUDIONEXT, vk::MediaNextTrack},
    {SDL_SCANCODE_AUDIOPREV, vk::MediaPrevTrack},
    {SDL_SCANCODE_AUDIOSTOP, vk::MediaStop}, {SDL_SCANCODE_AUDIOPLAY, vk::MediaPlayPause},
    {SDL_SCANCODE_SEMICOLON, vk::Oem1},      {SDL_SCANCODE_EQUALS, vk::OemPlus},
    {SDL_SCANCODE_COMMA, vk::OemComma},      {SDL_SCANCODE_MINUS, vk::OemMinus},
    {SDL_SCANCODE_PERIOD, vk::OemPeriod},    {SDL_SCANCODE_SLASH, vk::Oem2},
    {SDL_SCANCODE_LEFTBRACKET, vk::Oem4},    {SDL_SCANCODE_BACKSLASH, vk::Oem5},
    {SDL_SCANCODE_NONUSHASH, vk::Oem5},      {SDL_SCANCODE_RIGHTBRACKET, vk::Oem6},
    {SDL_SCANCODE_APOSTROPHE, vk::Oem7},     {SDL_SCANCODE_NONUSBACKSLASH, vk::Oem102},
    {SDL_SCANCODE_INTERNATIONAL1, vk::Oem102}, {SDL_SCANCODE_INTERNATIONAL3, vk::Oem5},
};

std::array<int, SDL_NUM_SCANCODES> buildKeyTable() {
    std::array<int, SDL_NUM_SCANCODES> table{};
    for (int i = 0; i < 26; ++i) table[SDL_SCANCODE_A + i] = vk::KeyA + i;
    // SDL numbers the digit row 1 to 9 then 0.
    for (int i = 0; i < 9; ++i) table[SDL_SCANCODE_1 + i] = vk::Key0 + 1 + i;
    table[SDL_SCANCODE_0] = vk::Key0;
    for (int i = 0; i < 9; ++i) table[SDL_SCANCODE_KP_1 + i] = vk::Numpad0 + 1 + i;
    table[SDL_SCANCODE_KP_0] = vk::Numpad0;
    for (int i = 0; i < 12; ++i) table[SDL_SCANCODE_F1 + i] = vk::F1 + i;
    for (int i = 0; i < 12; ++i) table[SDL_SCANCODE_F13 + i] = vk::F1 + 12 + i;
    for (auto [scancode, code] : kKeys) table[scancode] = code;
    return table;
}

uintptr_t mouseKeyState(uint32_t buttons) {
    uintptr_t state = 0;
    if (buttons & SDL_BUTTON_LMASK) state |= MK_LBUTTON;
    if (buttons & SDL_BUTTON_RMASK) state |= MK_RBUTTON;
    if (buttons & SDL_BUTTON_MMASK) state |= MK_MBUTTON;
    SDL_Keymod mods = SDL_GetModState();
    if (mods & KMOD_SHIFT) state |= MK_SHIFT;
    if (mods & KMOD_CTRL) state |= MK_CONTROL;
    return state;
}

std::optional<WindowMessage> translateKey(const SDL_KeyboardEvent& key) {
    int code = virtualKeyFromScancode(key.keysym.scancode);
    if (code == 0) return std::nullopt;
    bool down = key.type == SDL_KEYDOWN;
    // Alt combinations and F10 arrive as system keys, as the original's window saw them.
    bool system = (key.keysym.mod & KMOD_ALT) || code == vk::Menu || code == vk::F1 + 9;
    uint32_t message = down ? (system ? wm::SysKeyDown : wm::KeyDown) : (system ? wm::SysKeyUp : wm::KeyUp);
    // lParam: repeat count 1, scan code, bit 30 = key was already down, bit 31 = being released.
    uint32_t lParam = 1u | (static_cast<uint32_t>(key.keysym.scancode & 0xFF) << 16);
    if (key.repeat || !down) lParam |= 1u << 30;
    if (!down) lParam |= 1u << 31;
    return WindowMessage{message, static_cast<uintptr_t>(code), static_cast<intptr_t>(lParam)};
}

std::optional<WindowMessage> translateButton(const SDL_MouseButtonEvent& button) {
    bool down = button.type == SDL_MOUSEBUTTONDOWN;
    uint32_t message;
    switch (button.button) {
    case SDL_BUTTON_LEFT: message = down ? wm::LButtonDown : wm::LButtonUp; break;
    case SDL_BUTTON_RIGHT: message = down ? wm::RButtonDown : wm::RButtonUp; break;
    case SDL_BUTTON_MIDDLE: message = down ? wm::MButtonDown : wm::MButtonUp; break;
    default: return std::nullopt;
    }
    return WindowMessage{message, mouseKeyState(SDL_GetMouseState(nullptr, nullptr)),
                         makePointParam(button.x, button.y)};
}

}  // namespace

int virtualKeyFromScancode(SDL_Scancode scancode) {
    static const auto table = buildKeyTable();
    if (scancode < 0 || scancode >= SDL_NUM_SCANCODES) return 0;
    return table[scancode];
}

std::optional<WindowMessage> translateSdlEvent(const SDL_Event& event) {
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: return translateKey(event.key);
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: return translateButton(event.button);
    case SDL_MOUSEMOTION:
        return WindowMessage{wm::MouseMove, mouseKeyState(event.motion.state),
                             makePointParam(event.motion.x, event.motion.y)};
    case SDL_MOUSEWHEEL: {
        int notches = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
        auto delta = static_cast<uint16_t>(static_cast<int16_t>(notches * kWheelDelta));
        int x = 0, y = 0;
        SDL_GetMouseState(&x, &y);
        return WindowMessage{wm::MouseWheel, (static_cast<uintptr_t>(delta) << 16) | mouseKeyState(0),
                             makePointParam(x, y)};
    }
    case SDL_WINDOWEVENT:
        switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE: return WindowMessage{wm::Close, 0, 0};
        // Both carry two numbers packed like a point: the new position, the new client size.
        case SDL_WINDOWEVENT_MOVED: return WindowMessage{wm::Move, 0, makePointParam(event.window.data1, event.window.data2)};
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            return WindowMessage{wm::Size, 0, makePointParam(event.window.data1, event.window.data2)};
        default: return std::nullopt;
        }
    default: return std::nullopt;
    }
}

}  // namespace qeli::platform
