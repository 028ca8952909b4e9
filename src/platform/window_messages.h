// Window messages as the engine's windows receive them: the original's message numbers, the private
// MSG_* values and Windows virtual-key codes. Backends translate their native events into these.
#pragma once

#include <cstdint>

namespace qeli::platform {

struct WindowMessage {
    uint32_t message = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
};

// Standard window message numbers, named after their Windows names without the WM_ prefix so that
// this header never collides with the system headers of a Windows backend.
namespace wm {
inline constexpr uint32_t Create = 0x0001;
inline constexpr uint32_t Destroy = 0x0002;
inline constexpr uint32_t Move = 0x0003;
inline constexpr uint32_t Size = 0x0005;
inline constexpr uint32_t Activate = 0x0006;
inline constexpr uint32_t Paint = 0x000F;
inline constexpr uint32_t Close = 0x0010;
inline constexpr uint32_t Quit = 0x0012;
inline constexpr uint32_t SetCursor = 0x0020;
inline constexpr uint32_t WindowPosChanged = 0x0047;
inline constexpr uint32_t ContextMenu = 0x007B;
inline constexpr uint32_t DisplayChange = 0x007E;
inline constexpr uint32_t KeyDown = 0x0100;
inline constexpr uint32_t KeyUp = 0x0101;
inline constexpr uint32_t Char = 0x0102;
inline constexpr uint32_t SysKeyDown = 0x0104;
inline constexpr uint32_t SysKeyUp = 0x0105;
inline constexpr uint32_t Command = 0x0111;
inline constexpr uint32_t Timer = 0x0113;
inline constexpr uint32_t InitMenuPopup = 0x0117;
inline constexpr uint32_t MouseMove = 0x0200;
inline constexpr uint32_t LButtonDown = 0x0201;
inline constexpr uint32_t LButtonUp = 0x0202;
inline constexpr uint32_t LButtonDblClk = 0x0203;
inline constexpr uint32_t RButtonDown = 0x0204;
inline constexpr uint32_t RButtonUp = 0x0205;
inline constexpr uint32_t MButtonDown = 0x0207;
inline constexpr uint32_t MButtonUp = 0x0208;
inline constexpr uint32_t MouseWheel = 0x020A;
inline constexpr uint32_t EnterMenuLoop = 0x0211;
inline constexpr uint32_t ExitMenuLoop = 0x0212;
inline constexpr uint32_t Sizing = 0x0214;
inline constexpr uint32_t WtsSessionChange = 0x02B1;
}  // namespace wm

// The engine's private messages.
inline constexpr uint32_t MSG_WINDOW_CREATE = 0x8001;
inline constexpr uint32_t MSG_WINDOW_DESTROY = 0x8002;
inline constexpr uint32_t MSG_POPUP_SAVE_MENU = 0x8003;
inline constexpr uint32_t MSG_POPUP_LOAD_MENU = 0x8004;
inline constexpr uint32_t MSG_POPUP_FONT_MENU = 0x8005;
inline constexpr uint32_t MSG_VOLUME_DIALOG = 0x8006;
inline constexpr uint32_t MSG_HOOK_REMOVED = 0x8007;
inline constexpr uint32_t MSG_MOVIE_PREPARE = 0x8008;
inline constexpr uint32_t MSG_MOVIE_RELEASE = 0x8009;
inline constexpr uint32_t MSG_CONFIRM_OKCANCEL = 0x800A;
inline constexpr uint32_t MSG_CURSOR_SHOW = 0x800B;
inline constexpr uint32_t MSG_CURSOR_HIDE = 0x800C;
inline constexpr uint32_t MSG_SYSTEM_DATA_WRITE = 0x800D;
inline constexpr uint32_t MSG_ALREADY_DATA_WRITE = 0x800E;
inline constexpr uint32_t MSG_SAVE_FILE_DIALOG = 0x800F;
inline constexpr uint32_t MSG_CONFIRM_OK = 0x8010;
inline constexpr uint32_t MSG_CONFIRM_YESNO = 0x8011;
inline constexpr uint32_t MSG_HIDE_TEXT_WINDOW = 0x8064;

// Key-state bits carried in wParam of mouse messages.
inline constexpr uintptr_t MK_LBUTTON = 0x0001;
inline constexpr uintptr_t MK_RBUTTON = 0x0002;
inline constexpr uintptr_t MK_SHIFT = 0x0004;
inline constexpr uintptr_t MK_CONTROL = 0x0008;
inline constexpr uintptr_t MK_MBUTTON = 0x0010;

// Mouse messages carry the client point as x in the low word and y in the high word.
constexpr intptr_t makePointParam(int x, int y) {
    return static_cast<intptr_t>((static_cast<uint32_t>(static_cast<uint16_t>(x))) |
                                 (static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16));
}
constexpr int pointParamX(intptr_t lParam) { return static_cast<int16_t>(lParam & 0xFFFF); }
constexpr int pointParamY(intptr_t lParam) { return static_cast<int16_t>((lParam >> 16) & 0xFFFF); }

// Wheel messages carry the notches times 120 in the high word of wParam.
inline constexpr int kWheelDelta = 120;

}  // namespace qeli::platform
