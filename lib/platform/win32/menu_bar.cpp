// The native menu bar: the model's texts ("&" for the mnemonic, the key hint
// after a tab) are the platform's own menu texts, so they are shown as they
// are. Menu commands reach the window procedure as WM_COMMAND; there is no
// accelerator table, so the library's own key handling sees every Ctrl key.
#include "platform/win32/menu_bar.h"

#include "platform/win32/text_utf16.h"

namespace kelto::platform {

NativeMenuBar::~NativeMenuBar() {
    // The window is being destroyed or keeps no menu of ours.
    if (bar_ && IsWindow(window_) && GetMenu(window_) == bar_) SetMenu(window_, nullptr);
    if (bar_) DestroyMenu(bar_);
}

void NativeMenuBar::sync(MenuHandle menu) {
    const std::string layout = host_.menu_layout(menu);
    if (layout != layout_ || (!bar_ && host_.menu(menu))) {
        layout_ = layout;
        HMENU old = bar_;
        bar_ = nullptr;
        if (host_.menu(menu)) {
            bar_ = CreateMenu();
            add_items(bar_, menu);
        }
        SetMenu(window_, bar_);
        if (old) DestroyMenu(old);
    }
    if (bar_) update_states(bar_, menu);
    DrawMenuBar(window_);
}

void NativeMenuBar::add_items(HMENU target, MenuHandle menu) const {
    const Menu *model = host_.menu(menu);
    if (!model) return;
    for (const MenuItem &item : model->items) {
        const std::wstring text = to_wide(item.text);
        if (item.separator) {
            AppendMenuW(target, MF_SEPARATOR, 0, nullptr);
        } else if (item.popup) {
            HMENU drop_down = CreatePopupMenu();
            add_items(drop_down, item.popup);
            AppendMenuW(target, MF_POPUP, reinterpret_cast<UINT_PTR>(drop_down), text.c_str());
        } else {
            AppendMenuW(target, MF_STRING, static_cast<UINT_PTR>(item.id), text.c_str());
        }
    }
}

void NativeMenuBar::update_states(HMENU target, MenuHandle menu) const {
    const Menu *model = host_.menu(menu);
    if (!model) return;
    // The native items were appended in the model's order, one for one.
    for (std::size_t i = 0; i < model->items.size(); ++i) {
        const MenuItem &item = model->items[i];
        if (item.separator) continue;
        if (item.popup) {
            if (HMENU drop_down = GetSubMenu(target, static_cast<int>(i)))
                update_states(drop_down, item.popup);
            continue;
        }
        const auto id = static_cast<UINT>(item.id);
        CheckMenuItem(target, id,
                      static_cast<UINT>(MF_BYCOMMAND | (item.checked ? MF_CHECKED : MF_UNCHECKED)));
        EnableMenuItem(target, id,
                       static_cast<UINT>(MF_BYCOMMAND | (item.greyed ? MF_GRAYED : MF_ENABLED)));
    }
}

}  // namespace kelto::platform
