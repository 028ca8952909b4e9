// The game window's popup menu: its items and command ids, the Save, Load and Font sub-menus, the
// check marks and greyed states it shows, and the texts of the slot entries.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "platform/menu.h"

namespace qeli::app {

namespace menu_id {
inline constexpr uint32_t FullScreen = 40005;  // IDM_FULLSCREEN
inline constexpr uint32_t Windowed = 40006;    // IDM_WINDOWED
inline constexpr uint32_t Exit = 40010;
inline constexpr uint32_t TextSlow = 40012;
inline constexpr uint32_t TextNormal = 40013;
inline constexpr uint32_t TextFast = 40014;
inline constexpr uint32_t TextNoWait = 40015;
inline constexpr uint32_t Skip = 40016;
inline constexpr uint32_t EffectQuality = 40019;
inline constexpr uint32_t EffectNormal = 40020;
inline constexpr uint32_t EffectSpeed = 40021;
inline constexpr uint32_t ReturnToTitle = 40023;
inline constexpr uint32_t AlreadySkip = 40024;
inline constexpr uint32_t AutoPlay = 40044;
inline constexpr uint32_t Save = 40046;
inline constexpr uint32_t Load = 40047;
inline constexpr uint32_t TransitionOn = 40048;
inline constexpr uint32_t TransitionOff = 40049;
inline constexpr uint32_t HideTextWindow = 40050;
inline constexpr uint32_t FontFirst = 47000;
inline constexpr uint32_t FontLast = 47999;
inline constexpr uint32_t SaveSlotFirst = 48001;
inline constexpr uint32_t SaveSlotLast = 48999;
inline constexpr uint32_t LoadSlotFirst = 49001;
inline constexpr uint32_t LoadSlotLast = 49999;
}  // namespace menu_id

inline constexpr int kSlotMenuEntries = 10;
// The font menu holds at most this many families.
inline constexpr int kMaxFontEntries = 1000;

// What the menu's marks depend on.
struct MenuState {
    bool fullScreen = false;
    bool hookBusy = false;
    int32_t desktopBitsPerPixel = 32;
    int32_t textSpeed = 30;
    int32_t effectLevel = 2;
    bool transitionSkip = false;
    bool saveEnable = false;
    bool loadEnable = false;
    bool skipMode = false;
    bool alreadySkipMode = false;
    bool autoMode = false;
    int32_t skipLevel = 0;
};

// The whole popup menu with empty slot entries and one font entry per family (UTF-8 names).
platform::Menu buildPopupMenu(const std::vector<std::string>& fontFamilies);
// Sets every check mark and greyed state from the state.
void applyMenuState(platform::Menu& menu, const MenuState& state);

// A slot entry: "%2.2d:[ %4.4d/%2.2d/%2.2d %2.2d:%2.2d ]    " and the comment for a saved slot
// (with "%2.2d: " alone when its time is unknown), "%2.2d: ---------------------------------------- "
// for an empty one. The comment is UTF-8, like the menu.
std::string slotEntryText(int slot, bool saved, const std::optional<std::tm>& written, const std::string& comment);
// The save entry 48000 + slot and load entry 49000 + slot get the text (UTF-8); an empty slot's
// load entry is greyed.
void setSlotEntry(platform::Menu& menu, int slot, const std::string& text, bool saved);

}  // namespace qeli::app
