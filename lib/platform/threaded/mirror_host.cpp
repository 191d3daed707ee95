// The toolkit thread's copies of what it shows.
#include "platform/threaded/mirror_host.h"

#include <algorithm>
#include <utility>

namespace kelto::platform {

void MirrorHost::set_window(const Window &window, bool with_image) {
    Window &copy = windows_[window.handle];
    Image image = std::move(copy.image);
    copy = window;
    if (!with_image) copy.image = std::move(image);
}

void MirrorHost::set_client_area(WindowHandle window, const Rect &area, const Image &pixels) {
    auto found = windows_.find(window);
    if (found == windows_.end()) return;
    Image &image = found->second.image;
    const int left = std::max(0, area.left);
    const int right = std::min({image.width, area.right, area.left + pixels.width});
    const int bottom = std::min({image.height, area.bottom, area.top + pixels.height});
    for (int y = std::max(0, area.top); y < bottom && left < right; ++y) {
        const uint32_t *from = pixels.row(y - area.top) + (left - area.left);
        std::copy(from, from + (right - left), image.row(y) + left);
    }
}

void MirrorHost::set_dialog(WindowHandle handle, const Dialog &dialog) {
    dialogs_[handle] = dialog;
}

void MirrorHost::set_menu(MenuHandle handle, const Menu &menu, std::string layout) {
    menus_[handle] = MenuCopy{menu, std::move(layout)};
}

void MirrorHost::forget_window(WindowHandle window) {
    windows_.erase(window);
    dialogs_.erase(window);
}

const Window *MirrorHost::window(WindowHandle window) const {
    auto found = windows_.find(window);
    return found == windows_.end() ? nullptr : &found->second;
}

const Image *MirrorHost::client_image(WindowHandle window) {
    auto found = windows_.find(window);
    return found == windows_.end() ? nullptr : &found->second.image;
}

const Dialog *MirrorHost::dialog(WindowHandle dialog) const {
    auto found = dialogs_.find(dialog);
    return found == dialogs_.end() ? nullptr : &found->second;
}

const Menu *MirrorHost::menu(MenuHandle menu) const {
    auto found = menus_.find(menu);
    return found == menus_.end() ? nullptr : &found->second.menu;
}

std::string MirrorHost::menu_layout(MenuHandle menu) const {
    auto found = menus_.find(menu);
    return found == menus_.end() ? std::string() : found->second.layout;
}

}  // namespace kelto::platform
