// The window system as a display sees it from its toolkit thread: copies of
// the windows, dialogs and menus the program thread last handed over, and
// input queued for the program thread. Used on the toolkit thread only.
#pragma once

#include <map>
#include <string>

#include "platform/display_host.h"
#include "platform/threaded/hand_off.h"

namespace kelto::platform {

class MirrorHost final : public DisplayHost {
public:
    explicit MirrorHost(HandOff &hand_off) : hand_off_(hand_off) {}

    // ---- What the program thread hands over
    // A window's title, style, geometry, menu and visibility; its image is
    // kept unless `with_image`.
    void set_window(const Window &window, bool with_image);
    // Part of a window's client image, `pixels` being `area`'s rows.
    void set_client_area(WindowHandle window, const Rect &area, const Image &pixels);
    void set_dialog(WindowHandle handle, const Dialog &dialog);
    void set_menu(MenuHandle handle, const Menu &menu, std::string layout);
    void forget_window(WindowHandle window);

    // ---- DisplayHost
    void report(const Click &click) override { hand_off_.post(click); }
    void report(const KeyDown &key) override { hand_off_.post(key); }
    void report(const KeyUp &key) override { hand_off_.post(key); }
    void report(const MenuCommand &command) override { hand_off_.post(command); }
    void report(const CloseRequest &close) override { hand_off_.post(close); }
    void report(const DialogButton &press) override { hand_off_.post(press); }
    void report(const DialogCancel &cancel) override { hand_off_.post(cancel); }
    void report(const DialogClose &close) override { hand_off_.post(close); }
    void report(const WindowLost &lost) override { hand_off_.post(lost); }
    void report(const WindowMoved &moved) override { hand_off_.post(moved); }
    void report(const FocusChanged &focus) override { hand_off_.post(focus); }
    void report(const DialogTextEdited &edit) override { hand_off_.post(edit); }
    void window_placed(WindowHandle window) override { hand_off_.post(WindowPlaced{window}); }
    const Window *window(WindowHandle window) const override;
    const Dialog *dialog(WindowHandle dialog) const override;
    const Menu *menu(MenuHandle menu) const override;
    std::string menu_layout(MenuHandle menu) const override;
    // The copy last handed over, which the program thread brought up to
    // date before handing it over.
    const Image *client_image(WindowHandle window) override;
    // The toolkit thread never waits for the program's messages.
    bool message_ready() override { return false; }

private:
    struct MenuCopy {
        Menu menu;
        std::string layout;
    };

    HandOff &hand_off_;
    std::map<WindowHandle, Window> windows_;
    std::map<WindowHandle, Dialog> dialogs_;
    std::map<MenuHandle, MenuCopy> menus_;
};

}  // namespace kelto::platform
