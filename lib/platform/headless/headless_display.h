// A display without a GUI, for tests and automation: the classic
// decorations, a settable screen, a virtual clock that jumps to the next
// deadline instead of waiting, and an API to inject input and read windows
// back.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/classic_decorations.h"
#include "platform/display.h"
#include "platform/display_host.h"

namespace kelto::platform {

class HeadlessDisplay : public Display {
public:
    HeadlessDisplay() = default;

    // ---- Display
    void attach(DisplayHost &host) override { host_ = &host; }
    int screen_width() const override { return screen_width_; }
    int screen_height() const override { return screen_height_; }
    Rect client_rect_for(uint32_t style, bool has_menu, int outer_width,
                         int outer_height) const override;
    void window_created(WindowHandle) override {}
    void window_destroyed(WindowHandle window) override;
    void window_shown(WindowHandle, bool) override {}
    void client_changed(WindowHandle window, const Rect &area) override;
    void menu_changed(WindowHandle) override {}
    void dialog_started(WindowHandle dialog) override;
    int64_t now_ms() const override;
    void wait(std::optional<int64_t> deadline_ms, WaitFor what) override;

    // ---- Set-up
    void set_screen_size(int width, int height);
    // Decorations for windows created from now on (say, those a desktop
    // gave); until then the classic ones.
    void set_decorations(const ClassicDecorations &decorations) { decorations_ = decorations; }
    // Called whenever a window's client image was changed and would be shown.
    void on_client_changed(std::function<void(WindowHandle)> observer) {
        client_observer_ = std::move(observer);
    }
    // Called whenever a modal dialog is about to be shown.
    void on_dialog_started(std::function<void(WindowHandle)> observer) {
        dialog_observer_ = std::move(observer);
    }
    // Runs on the real monotonic clock: waits sleep until the deadline
    // instead of jumping to it (for measuring idle CPU use).
    void use_real_clock();
    // Called instead of hanging when the program waits for input that can
    // never arrive; the default prints why and ends the process with status 70.
    void on_starved(std::function<void()> handler) { starved_ = std::move(handler); }

    // ---- Injection: each reports the user's action to the host, as a
    // desktop display would
    void click(WindowHandle window, int client_x, int client_y);
    void key_down(WindowHandle window, unsigned virtual_key, unsigned character = 0,
                  unsigned repeat = 1);
    void key_up(WindowHandle window, unsigned virtual_key);
    // Presses and releases a key; a letter types its character.
    void key(WindowHandle window, unsigned virtual_key, unsigned character = 0);
    void menu_command(WindowHandle window, int id);
    void close_box(WindowHandle window);
    void resize(WindowHandle window, int outer_width, int outer_height);
    void focus(WindowHandle window);  // 0 moves the focus to another program
    // Types each character into a window, as a key press that types it.
    void type_text(WindowHandle window, std::u16string_view text);
    // Clicks the middle of a dialog item, which presses a push button.
    void press_dialog_button(WindowHandle dialog, int item_id);
    // Runs `action` once the virtual clock reaches `at_ms`, during a wait.
    void after(int64_t at_ms, std::function<void()> action);
    // Advances the virtual clock, running scheduled actions that fall due.
    void advance(int64_t ms);

    // ---- Read-back
    DisplayHost &host() { return *host_; }
    const Image *client_image(WindowHandle window) const {
        const Window *shown = host_->window(window);
        return shown ? &shown->image : nullptr;
    }
    int client_updates() const { return client_updates_; }
    // The area of the window's last client image change the display was told of.
    Rect last_client_area(WindowHandle window) const {
        const auto found = last_client_areas_.find(window);
        return found == last_client_areas_.end() ? Rect{} : found->second;
    }
    int64_t waits() const { return waits_; }
    // The innermost running modal dialog, 0 if none runs.
    WindowHandle dialog() const { return running_dialogs_.empty() ? 0 : running_dialogs_.back(); }

private:
    struct Scheduled {
        int64_t at_ms;
        uint64_t order;
        std::function<void()> action;
    };
    bool run_due_actions();

    DisplayHost *host_ = nullptr;
    ClassicDecorations decorations_;
    std::function<void(WindowHandle)> client_observer_;
    std::function<void(WindowHandle)> dialog_observer_;
    int screen_width_ = 1024;
    int screen_height_ = 768;
    int64_t now_ms_ = 0;
    bool real_clock_ = false;
    int64_t waits_ = 0;
    int client_updates_ = 0;
    std::map<WindowHandle, Rect> last_client_areas_;
    uint64_t next_order_ = 0;
    std::vector<Scheduled> scheduled_;
    std::vector<WindowHandle> running_dialogs_;
    std::function<void()> starved_;
};

}  // namespace kelto::platform
