// The window system: window classes, windows with retained client images,
// the thread's message queue, timers, painting, focus and menus. It mirrors
// the classic desktop platform's semantics and leaves every pixel on screen,
// every input and every wait to its Display, which it is the host of.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "pixels/image.h"
#include "platform/dialog.h"
#include "platform/dialog_template.h"
#include "platform/display.h"
#include "platform/display_host.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/messages.h"
#include "platform/window.h"

namespace kelto::platform {

class WindowSystem final : public DisplayHost {
public:
    explicit WindowSystem(std::unique_ptr<Display> display);
    WindowSystem(const WindowSystem &) = delete;
    WindowSystem &operator=(const WindowSystem &) = delete;

    Display &display() { return *display_; }

    // ---- Classes and windows
    bool register_class(const WindowClass &window_class);  // false if the name is taken
    bool class_registered(std::string_view name) const;
    // Creates a window, sends it WM_CREATE and then WM_SIZE; 0 if the class is unknown.
    WindowHandle create_window(std::string_view class_name, std::string_view title, uint32_t style,
                               int x, int y, int width, int height, WindowHandle owner = 0);
    bool destroy_window(WindowHandle window);  // sends WM_DESTROY, ends its timers
    bool is_window(WindowHandle window) const { return find(window) != nullptr; }
    const Window *find(WindowHandle window) const;
    Window *find(WindowHandle window);
    const Window *window(WindowHandle window) const override { return find(window); }
    // Returns whether the window was visible before.
    bool show_window(WindowHandle window, int show_command);
    // Until the program next looks for a message, waits or runs a dialog,
    // shows and hides reach the display only then, net of each other and in
    // the order they were made, so a window shown and hidden meanwhile never
    // appears. The model (is_visible, the focus) follows them at once.
    void hold_shows();
    // Lets the held shows reach the display now, and returns once every
    // window they show has its place and real client size from the window
    // manager (Display::await_placed), so that what is drawn next is drawn
    // for that size.
    void release_shows();
    bool is_visible(WindowHandle window) const;
    // Moves and sizes a window (user resizing); sends WM_SIZE when the client size changes.
    void move_window(WindowHandle window, int x, int y, int width, int height);
    Rect client_rect(WindowHandle window) const;
    std::vector<WindowHandle> windows() const;

    // ---- Focus
    WindowHandle focus() const { return focus_; }
    // Moves the keyboard focus (0: to a window outside this program), sending
    // WM_KILLFOCUS and WM_SETFOCUS with the other window in wparam.
    void set_focus(WindowHandle window);

    // ---- Message queue
    bool post_message(WindowHandle window, unsigned message, uintptr_t wparam, intptr_t lparam);
    void post_quit(int exit_code);
    // Takes the next message without blocking: posted messages in order, then
    // the quit, then a paint for an invalid window, then a due timer.
    bool peek_message(Message &out);
    // A key-down that types a character queues the character message next.
    void translate_message(const Message &message);
    intptr_t dispatch_message(const Message &message);
    intptr_t send_message(WindowHandle window, unsigned message, uintptr_t wparam, intptr_t lparam);
    // Close destroys the window; paint validates it; everything else is ignored.
    intptr_t default_procedure(WindowHandle window, unsigned message, uintptr_t wparam,
                               intptr_t lparam);
    // Blocks until peek_message would find something.
    void wait_message(WaitFor what = WaitFor::AnyMessage);
    // True when a message could be taken now.
    bool message_ready() override;

    // ---- Timers
    void set_timer(WindowHandle window, uintptr_t id, int period_ms);
    void kill_timer(WindowHandle window, uintptr_t id);
    std::optional<int64_t> next_timer_deadline() const;

    // ---- Painting
    void invalidate(WindowHandle window, bool erase = true);
    // Erases with the class background where the window was invalidated, then validates.
    Image *begin_paint(WindowHandle window);
    void end_paint(WindowHandle window);
    // The client image to draw into or read, brought up to date first.
    Image *client_image(WindowHandle window) override;
    // Tells the display that a client image was drawn into outside painting:
    // all of it, or only `area`.
    void client_changed(WindowHandle window);
    void client_changed(WindowHandle window, const Rect &area);

    // ---- Client images drawn when they can be seen (client_refresh.cpp)
    // A window's owner may leave its client image behind what it has drawn
    // and bring it up to date only when someone can see it. client_stale
    // records that `refresh` must run before the image is next read
    // (client_image, begin_paint), replaced (a resize) or shown (every wait,
    // a dialog's start, show_stale_clients). `refresh` is called with the
    // window, draws what is owed and tells the display with client_changed.
    // On a display that shows every change of the window it runs at once.
    void client_stale(WindowHandle window, void (*refresh)(WindowHandle window));
    // Brings the stale images of the visible windows up to date now.
    void show_stale_clients();
    // The same, at most once per display refresh (kShowIntervalMs on the
    // display's clock): for a program that runs on without waiting.
    void show_stale_clients_when_due();
    static constexpr int64_t kShowIntervalMs = 16;

    // ---- Menus
    MenuHandle create_menu();        // a menu bar
    MenuHandle create_popup_menu();  // a drop-down
    bool append_menu(MenuHandle menu, unsigned flags, uintptr_t id_or_popup, std::string_view text);
    bool set_menu(WindowHandle window, MenuHandle menu);
    void draw_menu_bar(WindowHandle window);
    // Returns the previous state (MF_CHECKED or MF_UNCHECKED), or -1 if there is no such item.
    int check_menu_item(MenuHandle menu, int id, bool checked);
    const Menu *menu(MenuHandle menu) const override;
    // Empty for no menu (see DisplayHost).
    std::string menu_layout(MenuHandle menu) const override;

    // ---- Dialogs
    // Runs a modal dialog from a template, owned by `owner`, which takes no
    // input meanwhile: sends WM_INITDIALOG (wparam the first tab stop's id,
    // lparam `init_value`), focuses that tab stop, shows the dialog and
    // dispatches every window's messages until end_dialog, waiting whenever
    // nothing is ready. Returns the value given to end_dialog; 0 when the
    // dialog was destroyed or a quit ended it (the quit is posted again
    // afterwards); -1 when it cannot be created (no owner or procedure, a bad
    // template).
    intptr_t dialog_box_indirect(std::span<const uint8_t> template_bytes, WindowHandle owner,
                                 DialogProc procedure, intptr_t init_value);
    bool end_dialog(WindowHandle dialog, intptr_t result);  // false if no dialog runs there
    // Copies an item's text into `buffer`: at most size - 1 units and a zero.
    // Returns the units copied (0 and an empty string for no such item).
    int get_dialog_item_text(WindowHandle dialog, int id, char16_t *buffer, int size) const;
    bool set_dialog_item_text(WindowHandle dialog, int id, std::u16string_view text);
    // nullptr unless a dialog runs there
    const Dialog *dialog(WindowHandle dialog) const override;
    // False for a window that owns a running modal dialog (or does not exist).
    bool window_enabled(WindowHandle window) const;

    // ---- Input from the display (input.cpp)
    void report(const Click &click) override;
    void report(const KeyDown &key) override;
    void report(const KeyUp &key) override;
    void report(const MenuCommand &command) override;
    void report(const CloseRequest &close) override;
    void report(const DialogButton &press) override;
    void report(const DialogCancel &cancel) override;
    void report(const DialogClose &close) override;
    // The display has lost what showed the window (its native window was
    // destroyed from outside the program). A running dialog ends as
    // cancelled, which gives its owner its input back; any other window is
    // closed as by its close box, even while it owns a running dialog.
    void report(const WindowLost &lost) override;
    void report(const WindowMoved &moved) override;
    void report(const FocusChanged &focus) override;
    void report(const DialogTextEdited &edit) override;

    // ---- Screen metrics
    int screen_width() const { return display_->screen_width(); }
    int screen_height() const { return display_->screen_height(); }

private:
    struct Timer {
        WindowHandle window;
        uintptr_t id;
        int period_ms;
        int64_t due_ms;
    };

    void resize_client(Window &window);
    void refresh_client(Window &window);
    void notify_menu_owners(MenuHandle menu);

    // ---- Dialogs
    WindowHandle create_dialog(const DialogTemplate &layout, WindowHandle owner,
                               DialogProc procedure);
    // The dialog manager: the window procedure of every dialog window.
    intptr_t dialog_procedure(WindowHandle dialog, unsigned message, uintptr_t wparam,
                              intptr_t lparam);

    std::unique_ptr<Display> display_;
    std::map<std::string, WindowClass, std::less<>> classes_;
    std::map<WindowHandle, Window> windows_;
    std::map<MenuHandle, Menu> menus_;
    std::deque<Message> queue_;
    std::vector<Timer> timers_;
    std::optional<int> quit_code_;
    WindowHandle focus_ = 0;
    WindowHandle next_window_ = 1;
    MenuHandle next_menu_ = 1;
    std::map<WindowHandle, Dialog> dialogs_;
    // The windows whose shows are held, oldest change first, each with
    // whether the display shows it.
    struct HeldShow {
        WindowHandle window;
        bool displayed;
    };
    bool holding_shows_ = false;
    std::vector<HeldShow> held_shows_;
    bool any_stale_ = false;
    std::optional<int64_t> last_shown_ms_;
};

}  // namespace kelto::platform
