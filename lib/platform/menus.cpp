// Menus of the window system: built as data, attached to windows, and shown
// by the display, which is told whenever an attached menu changes.
#include "platform/window_system.h"

namespace kelto::platform {

MenuHandle WindowSystem::create_menu() {
    const MenuHandle handle = next_menu_++;
    menus_[handle].is_bar = true;
    return handle;
}

MenuHandle WindowSystem::create_popup_menu() {
    const MenuHandle handle = next_menu_++;
    menus_[handle].is_bar = false;
    return handle;
}

bool WindowSystem::append_menu(MenuHandle handle, unsigned flags, uintptr_t id_or_popup,
                               std::string_view text) {
    auto it = menus_.find(handle);
    if (it == menus_.end()) return false;
    MenuItem item;
    item.separator = (flags & MF_SEPARATOR) != 0;
    if (!item.separator) {
        item.text = text;
        item.checked = (flags & MF_CHECKED) != 0;
        item.greyed = (flags & MF_GRAYED) != 0;
        if (flags & MF_POPUP) {
            item.popup = static_cast<MenuHandle>(id_or_popup);
            if (!menus_.count(item.popup)) return false;
        } else {
            item.id = static_cast<int>(id_or_popup);
        }
    }
    it->second.items.push_back(std::move(item));
    notify_menu_owners(handle);
    return true;
}

bool WindowSystem::set_menu(WindowHandle handle, MenuHandle menu_handle) {
    Window *window = find(handle);
    if (!window || (menu_handle != 0 && !menus_.count(menu_handle))) return false;
    window->menu = menu_handle;
    // The menu bar takes room from the client area.
    move_window(handle, window->outer.left, window->outer.top, window->outer.width(),
                window->outer.height());
    display_->menu_changed(handle);
    return true;
}

void WindowSystem::draw_menu_bar(WindowHandle window) {
    if (is_window(window)) display_->menu_changed(window);
}

int WindowSystem::check_menu_item(MenuHandle handle, int id, bool checked) {
    auto it = menus_.find(handle);
    if (it == menus_.end()) return -1;
    for (MenuItem &item : it->second.items) {
        if (!item.separator && item.popup == 0 && item.id == id) {
            const int previous = item.checked ? MF_CHECKED : MF_UNCHECKED;
            item.checked = checked;
            notify_menu_owners(handle);
            return previous;
        }
    }
    return -1;
}

const Menu *WindowSystem::menu(MenuHandle handle) const {
    auto it = menus_.find(handle);
    return it == menus_.end() ? nullptr : &it->second;
}

void WindowSystem::notify_menu_owners(MenuHandle handle) {
    for (auto &[window_handle, window] : windows_) {
        if (window.menu == 0) continue;
        bool owns = window.menu == handle;
        if (const Menu *bar = menu(window.menu))
            for (const MenuItem &item : bar->items) owns = owns || item.popup == handle;
        if (owns) display_->menu_changed(window_handle);
    }
}

std::string WindowSystem::menu_layout(MenuHandle handle) const {
    const Menu *model = menu(handle);
    if (!model) return {};
    std::string layout = "{";
    for (const MenuItem &item : model->items) {
        if (item.separator) {
            layout += "-|";
        } else if (item.popup) {
            layout += item.text + menu_layout(item.popup) + "|";
        } else {
            layout += std::to_string(item.id) + ":" + item.text + "|";
        }
    }
    return layout + "}";
}

}  // namespace kelto::platform
