#include "platform/menu.h"

namespace qeli::platform {

MenuItem* findMenuItem(Menu& menu, uint32_t id) {
    if (id == 0) return nullptr;
    for (MenuItem& item : menu) {
        if (item.id == id) return &item;
        if (MenuItem* found = findMenuItem(item.items, id)) return found;
    }
    return nullptr;
}

const MenuItem* findMenuItem(const Menu& menu, uint32_t id) { return findMenuItem(const_cast<Menu&>(menu), id); }

}  // namespace qeli::platform
