// The library's behaviour on the headless display, driven by its injection API.
#include <cctype>
#include <functional>
#include <string>

#include "console/console.h"
#include "platform/headless/headless_display.h"
#include "support/library_behaviour.h"

namespace kelto::test {
namespace {

using namespace platform;

int instance_token;

class HeadlessDriver {
public:
    void open() {
        display_ = &use_headless_display();
        KELTO_open(&instance_token, nullptr, nullptr, SW_SHOWNORMAL);
    }

    void click(int x, int y) {
        const Rect client = window_system().client_rect(graphics());
        display_->click(graphics(), client.width() / 2 + x, client.height() / 2 - y);
    }

    void key(Target target, char letter) {
        display_->key(window(target), static_cast<unsigned>(std::toupper(letter)),
                      static_cast<unsigned char>(letter));
    }

    // Ctrl with a letter types the letter's control character.
    void ctrl_key(Target target, char letter, bool shift) {
        const WindowHandle to = window(target);
        const auto upper = static_cast<unsigned>(std::toupper(letter));
        display_->key_down(to, VK_CONTROL);
        if (shift) display_->key_down(to, VK_SHIFT);
        display_->key_down(to, upper, upper - 'A' + 1);
        display_->key_up(to, upper);
        if (shift) display_->key_up(to, VK_SHIFT);
        display_->key_up(to, VK_CONTROL);
    }

    void menu(int command) { display_->menu_command(graphics(), command); }
    void close_box() { display_->close_box(graphics()); }

    bool checked(int command) {
        for (const MenuItem &item : run_menu().items)
            if (!item.separator && item.id == command) return item.checked;
        return false;
    }
    int checked_count() {
        int count = 0;
        for (const MenuItem &item : run_menu().items) count += item.checked;
        return count;
    }

    Image shown() { return *display_->client_image(graphics()); }

    // The dialog is up by the time the virtual clock has moved on.
    void during_dialog(std::function<void()> action) {
        display_->after(display_->now_ms() + 1000, std::move(action));
    }
    void type_into_dialog(const char *text) {
        const std::string bytes(text);
        display_->type_text(display_->dialog(), std::u16string(bytes.begin(), bytes.end()));
    }
    void enter_in_dialog() { display_->key(display_->dialog(), VK_RETURN); }

private:
    static WindowHandle graphics() { return events::state().graphics_window; }
    static WindowHandle window(Target target) {
        return target == Target::Graphics ? graphics() : console::state().text_window;
    }
    static const Menu &run_menu() { return *window_system().menu(events::state().run_menu); }

    HeadlessDisplay *display_ = nullptr;
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Headless, LibraryBehaviour, HeadlessDriver);

}  // namespace kelto::test
