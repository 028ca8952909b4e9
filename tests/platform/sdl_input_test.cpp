#include <gtest/gtest.h>

#include "platform/sdl/sdl_input.h"
#include "platform/virtual_keys.h"

namespace qeli::platform {
namespace {

SDL_Event keyEvent(Uint32 type, SDL_Scancode scancode, Uint16 mod = KMOD_NONE, Uint8 repeat = 0) {
    SDL_Event e{};
    e.type = type;
    e.key.type = type;
    e.key.keysym.scancode = scancode;
    e.key.keysym.mod = mod;
    e.key.repeat = repeat;
    return e;
}

TEST(SdlInput, KeysBecomeVirtualKeyCodes) {
    struct Case {
        SDL_Scancode scancode;
        int vk;
    };
    const Case cases[] = {
        {SDL_SCANCODE_A, 0x41},         {SDL_SCANCODE_Z, 0x5A},       {SDL_SCANCODE_0, 0x30},
        {SDL_SCANCODE_9, 0x39},         {SDL_SCANCODE_RETURN, vk::Return}, {SDL_SCANCODE_KP_ENTER, vk::Return},
        {SDL_SCANCODE_SPACE, vk::Space}, {SDL_SCANCODE_ESCAPE, vk::Escape}, {SDL_SCANCODE_LCTRL, vk::Control},
        {SDL_SCANCODE_RSHIFT, vk::Shift}, {SDL_SCANCODE_UP, vk::Up},   {SDL_SCANCODE_F1, vk::F1},
        {SDL_SCANCODE_F12, vk::F1 + 11}, {SDL_SCANCODE_KP_5, vk::Numpad0 + 5}, {SDL_SCANCODE_PAGEDOWN, vk::Next},
        {SDL_SCANCODE_APPLICATION, vk::Apps}, {SDL_SCANCODE_INTERNATIONAL3, vk::Oem5},
    };
    for (const Case& c : cases) EXPECT_EQ(virtualKeyFromScancode(c.scancode), c.vk) << SDL_GetScancodeName(c.scancode);
}

TEST(SdlInput, KeyMessagesCarryTheWindowsFlags) {
    auto down = translateSdlEvent(keyEvent(SDL_KEYDOWN, SDL_SCANCODE_RETURN));
    ASSERT_TRUE(down);
    EXPECT_EQ(down->message, wm::KeyDown);
    EXPECT_EQ(down->wParam, uintptr_t{vk::Return});
    EXPECT_EQ(down->lParam & 0xFFFF, 1);
    auto repeat = translateSdlEvent(keyEvent(SDL_KEYDOWN, SDL_SCANCODE_RETURN, KMOD_NONE, 1));
    EXPECT_NE(repeat->lParam & (1 << 30), 0);
    auto alt = translateSdlEvent(keyEvent(SDL_KEYDOWN, SDL_SCANCODE_RETURN, KMOD_LALT));
    EXPECT_EQ(alt->message, wm::SysKeyDown);
    auto up = translateSdlEvent(keyEvent(SDL_KEYUP, SDL_SCANCODE_A));
    EXPECT_EQ(up->message, wm::KeyUp);
    EXPECT_FALSE(translateSdlEvent(keyEvent(SDL_KEYDOWN, SDL_SCANCODE_UNKNOWN)));
}

TEST(SdlInput, MouseMessagesCarryThePointAndWheelDelta) {
    SDL_Event click{};
    click.type = SDL_MOUSEBUTTONDOWN;
    click.button.type = SDL_MOUSEBUTTONDOWN;
    click.button.button = SDL_BUTTON_RIGHT;
    click.button.x = 320;
    click.button.y = 240;
    auto m = translateSdlEvent(click);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->message, wm::RButtonDown);
    EXPECT_EQ(pointParamX(m->lParam), 320);
    EXPECT_EQ(pointParamY(m->lParam), 240);

    SDL_Event wheel{};
    wheel.type = SDL_MOUSEWHEEL;
    wheel.wheel.y = -1;
    auto w = translateSdlEvent(wheel);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->message, wm::MouseWheel);
    EXPECT_EQ(static_cast<int16_t>(w->wParam >> 16), -kWheelDelta);

    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    EXPECT_EQ(translateSdlEvent(close)->message, wm::Close);
}

}  // namespace
}  // namespace qeli::platform
