// The contract between the window system and a display back end: the only
// thing that touches a GUI. The window system tells the display what changed;
// the display reports the user's input to its host (display_host.h) and does
// the waiting.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string_view>

#include "pixels/image.h"
#include "platform/messages.h"

namespace kelto {
class HeldBox;  // pixels/held_box.h
}

namespace kelto::platform {

class DisplayHost;

// The key that, held with `modifier`, ends the program (Ctrl+Q).
struct QuitKey {
    unsigned modifier = 0;
    unsigned key = 0;
};

// What a wait is for: any message (a timer tick included), or input alone.
enum class WaitFor { AnyMessage, Input };

// Writes one hint line to standard error: where hints go when no display
// shows them elsewhere.
inline void hint_on_standard_error(std::string_view line) {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
}

// The pixel size of the dialog font's average character: a dialog unit is a
// quarter of its width across and an eighth of its height down. The default
// is the classic system font's.
struct DialogBaseUnits {
    int width = 8;
    int height = 16;
};

class Display {
public:
    virtual ~Display() = default;

    // Called once when the window system takes the display: `host` is all
    // of the window system the display sees.
    virtual void attach(DisplayHost &host) = 0;

    // ---- Screen and decorations
    virtual int screen_width() const = 0;
    virtual int screen_height() const = 0;
    // The client area left inside an outer window size by the frame, caption
    // and (when present) the menu bar of a window of this style.
    virtual Rect client_rect_for(uint32_t style, bool has_menu, int outer_width,
                                 int outer_height) const = 0;

    // ---- Window life and appearance
    virtual void window_created(WindowHandle window) = 0;
    virtual void window_destroyed(WindowHandle window) = 0;
    virtual void window_shown(WindowHandle window, bool visible) = 0;
    // The retained client image changed within `area` (client coordinates).
    virtual void client_changed(WindowHandle window, const Rect &area) = 0;
    virtual void menu_changed(WindowHandle window) = 0;  // structure or check marks
    // Whether every change of this window's client image must reach the
    // display as it is made (a recorder of frames), rather than when it can
    // next be seen.
    virtual bool shows_every_change(WindowHandle /*window*/) const { return false; }

    // ---- Dialogs
    // The window system runs modal dialogs itself, so a display without a
    // dialog manager of its own needs none of these. A display that realises
    // dialogs with its toolkit shows them without a nested event loop and
    // reports the user's actions (DialogButton, DialogCancel, DialogClose,
    // keys otherwise) and the edits made in its widgets (DialogTextEdited).
    virtual DialogBaseUnits dialog_base_units() const { return {}; }
    // A dialog window, announced by window_created, has run WM_INITDIALOG and
    // is about to be shown: DisplayHost::dialog() describes its items, their
    // texts, pixel geometry and the focused item.
    virtual void dialog_started(WindowHandle /*dialog*/) {}
    // An item's text changed on the program's side (typing into the model,
    // the dialog procedure); the display updates what it shows if it differs.
    virtual void dialog_item_changed(WindowHandle /*dialog*/, int /*item_id*/) {}

    // ---- Time and waiting
    virtual int64_t now_ms() const = 0;
    // Blocks until input has been reported or the deadline (if any) has passed.
    // With WaitFor::Input, timer ticks go on but only input can serve the
    // waiting program, which lets a display without a user see a wait in vain.
    virtual void wait(std::optional<int64_t> deadline_ms, WaitFor what) = 0;
    // Reports the input that has arrived, and shows what has changed, without
    // blocking; the window system calls it whenever it looks for a message,
    // so a program that never waits (script playback) still sees the user.
    virtual void poll() {}

    // ---- Placing
    // Returns once `window`, just shown, has its place and real client size
    // from the window manager, and these have reached the window system; at
    // most a second, and at once where no window manager changes them.
    virtual void await_placed(WindowHandle /*window*/) {}

    // ---- A program that does not wait
    // A display whose toolkit runs beside the program keeps its windows
    // alive while the program computes. It learns once, at start, which key
    // ends a program that never takes it, and which picture the program
    // draws into for a window (nullptr for none), with the box it may hold
    // back from it, to show it when the program goes long without waiting.
    // Both are called on the program's thread, and `picture` and `held`
    // stay valid until replaced.
    virtual void set_quit_key(QuitKey /*key*/) {}
    virtual void set_current_picture(WindowHandle /*window*/, const Image * /*picture*/,
                                     const HeldBox * /*held*/) {}

    // ---- Advice to the programmer
    // One line about how the program uses the library (it never waits, it
    // drew before opening the window). Hints never go to the console window,
    // the script or the replay runner's files; by default they go to
    // standard error, and a display may show them where its user looks.
    virtual void hint(std::string_view line) { hint_on_standard_error(line); }
};

}  // namespace kelto::platform
