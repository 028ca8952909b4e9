#include "app/popup_menu.h"

#include <cstdio>

namespace qeli::app {

namespace {

using platform::Menu;
using platform::MenuItem;

MenuItem item(uint32_t id, const char* text) { return MenuItem{id, text, false, false, false, {}}; }
MenuItem separator() { return MenuItem{0, "", false, false, true, {}}; }
MenuItem subMenu(uint32_t id, const char* text, Menu items) { return MenuItem{id, text, false, false, false, std::move(items)}; }

Menu slotEntries(uint32_t firstId) {
    Menu entries;
    for (int slot = 1; slot <= kSlotMenuEntries; ++slot)
        entries.push_back(MenuItem{firstId + slot - 1, slotEntryText(slot, false, std::nullopt, ""), false, false, false, {}});
    return entries;
}

void mark(Menu& menu, uint32_t id, bool checked, bool greyed = false) {
    if (MenuItem* found = platform::findMenuItem(menu, id)) {
        found->checked = checked;
        found->greyed = greyed;
    }
}

}  // namespace

// The sub-menu headings (文字速度, エフェクト, 画面切替効果, フォント) are this engine's own: the
// original's menu resource named only the items.
Menu buildPopupMenu(const std::vector<std::string>& fontFamilies) {
    Menu fonts;
    for (size_t i = 0; i < fontFamilies.size() && i < size_t(kMaxFontEntries); ++i)
        fonts.push_back(MenuItem{menu_id::FontFirst + static_cast<uint32_t>(i), fontFamilies[i], false, false, false, {}});
    Menu menu = {
        item(menu_id::FullScreen, "フルスクリーンモード"),
        item(menu_id::Windowed, "ウィンドウモード"),
        separator(),
        subMenu(0, "文字速度", {item(menu_id::TextSlow, "低速"), item(menu_id::TextNormal, "通常"),
                                item(menu_id::TextFast, "高速"), item(menu_id::TextNoWait, "ノーウェイト")}),
        subMenu(0, "エフェクト", {item(menu_id::EffectSpeed, "速度優先"), item(menu_id::EffectNormal, "通常"),
                                  item(menu_id::EffectQuality, "画質優先")}),
        subMenu(0, "画面切替効果", {item(menu_id::TransitionOn, "ON"), item(menu_id::TransitionOff, "OFF")}),
        separator(),
        subMenu(menu_id::Save, "セーブ", slotEntries(menu_id::SaveSlotFirst)),
        subMenu(menu_id::Load, "ロード", slotEntries(menu_id::LoadSlotFirst)),
        separator(),
        item(menu_id::Skip, "選択肢まで読み飛ばす"),
        item(menu_id::AlreadySkip, "既読部分を読み飛ばす"),
        item(menu_id::AutoPlay, "オートプレイ"),
        item(menu_id::HideTextWindow, "テキストウィンドウを消す"),
        separator(),
    };
    if (!fonts.empty()) {
        menu.push_back(subMenu(0, "フォント", std::move(fonts)));
        menu.push_back(separator());
    }
    menu.push_back(item(menu_id::ReturnToTitle, "タイトルへ戻る"));
    menu.push_back(item(menu_id::Exit, "終了"));
    for (int slot = 1; slot <= kSlotMenuEntries; ++slot) setSlotEntry(menu, slot, slotEntryText(slot, false, std::nullopt, ""), false);
    return menu;
}

void applyMenuState(Menu& menu, const MenuState& s) {
    mark(menu, menu_id::FullScreen, s.fullScreen, s.hookBusy);
    mark(menu, menu_id::Windowed, !s.fullScreen, s.hookBusy || s.desktopBitsPerPixel <= 8);
    mark(menu, menu_id::TextSlow, s.textSpeed >= 60);
    mark(menu, menu_id::TextNormal, s.textSpeed >= 10 && s.textSpeed < 60);
    mark(menu, menu_id::TextFast, s.textSpeed >= 1 && s.textSpeed < 10);
    mark(menu, menu_id::TextNoWait, s.textSpeed < 1);
    mark(menu, menu_id::EffectSpeed, s.effectLevel == 0);
    mark(menu, menu_id::EffectNormal, s.effectLevel == 1);
    mark(menu, menu_id::EffectQuality, s.effectLevel == 2);
    mark(menu, menu_id::TransitionOn, !s.transitionSkip);
    mark(menu, menu_id::TransitionOff, s.transitionSkip);
    mark(menu, menu_id::Save, false, !s.saveEnable);
    mark(menu, menu_id::Load, false, !s.loadEnable);
    mark(menu, menu_id::Skip, s.skipMode, s.skipLevel == 0);
    mark(menu, menu_id::AlreadySkip, s.alreadySkipMode, s.skipLevel == 0);
    mark(menu, menu_id::AutoPlay, s.autoMode);
}

std::string slotEntryText(int slot, bool saved, const std::optional<std::tm>& written, const std::string& comment) {
    char head[64];
    if (!saved) {
        std::snprintf(head, sizeof head, "%2.2d: ---------------------------------------- ", slot);
        return head;
    }
    if (written)
        std::snprintf(head, sizeof head, "%2.2d:[ %4.4d/%2.2d/%2.2d %2.2d:%2.2d ]    ", slot, written->tm_year + 1900,
                      written->tm_mon + 1, written->tm_mday, written->tm_hour, written->tm_min);
    else
        std::snprintf(head, sizeof head, "%2.2d: ", slot);
    return head + comment;
}

void setSlotEntry(Menu& menu, int slot, const std::string& text, bool saved) {
    if (MenuItem* save = platform::findMenuItem(menu, menu_id::SaveSlotFirst + slot - 1)) save->text = text;
    if (MenuItem* load = platform::findMenuItem(menu, menu_id::LoadSlotFirst + slot - 1)) {
        load->text = text;
        load->greyed = !saved;
    }
}

}  // namespace qeli::app
