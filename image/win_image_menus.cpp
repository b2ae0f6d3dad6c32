// The image window's pop-up menus, built from their tables for each pop-up.
#include "core/win_runtime.h"
#include "image/image_menus.h"
#include "image/win_image_window.h"

namespace kbx {

namespace {

HMENU build_menu(const MenuTable& table, int checked_id) {
    HMENU menu = CreatePopupMenu();
    for (int i = 0; i < table.count; ++i) {
        const MenuEntry& e = table.entries[i];
        UINT position = static_cast<UINT>(i);
        if (!e.caption) {
            insert_menu_item(menu, position, nullptr, 0, 0);
        } else if (e.submenu) {
            insert_menu_item(menu, position, e.caption, 0, MF_ENABLED, build_menu(*e.submenu, checked_id));
        } else {
            UINT state = MF_ENABLED | (e.id == checked_id ? MF_CHECKED : MF_UNCHECKED);
            insert_menu_item(menu, position, e.caption, static_cast<UINT>(e.id), state);
        }
    }
    return menu;
}

}  // namespace

HMENU build_image_window_menu(int zoom) { return build_menu(image_window_menu(), checked_zoom_command(zoom)); }

HMENU build_image_processing_menu(int depth) { return build_menu(image_processing_menu(depth), 0); }

}  // namespace kbx
