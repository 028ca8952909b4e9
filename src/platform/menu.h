// A popup menu as the engine describes it to the backend: items with their command ids, texts,
// check marks and greyed states, and sub-menus. The backend shows it and reports the chosen item as a
// WM_COMMAND window message, like the system's tracked popup menus.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qeli::platform {

struct MenuItem {
    uint32_t id = 0;  // 0 for separators and for items that only open a sub-menu
    std::string text;  // UTF-8
    bool checked = false;
    bool greyed = false;
    bool separator = false;
    std::vector<MenuItem> items;  // the sub-menu, when not empty
};

using Menu = std::vector<MenuItem>;

// The item with that id anywhere in the menu or its sub-menus; null when there is none.
MenuItem* findMenuItem(Menu& menu, uint32_t id);
const MenuItem* findMenuItem(const Menu& menu, uint32_t id);

}  // namespace qeli::platform
