// The Win32 display: native windows and dialogs, the decorations as Windows
// computes them, the performance counter as the clock, and the wait.
#include "platform/win32/win32_display.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/system.h"
#include "platform/win32/display_thread.h"
#include "platform/win32/native_dialog.h"
#include "platform/win32/native_window.h"

namespace kelto::platform {

namespace {

// The longest single wait; a longer deadline is reached in several.
constexpr int64_t kLongestWaitMs = 0x7FFFFFF0;

}  // namespace

Win32Display::Win32Display() : instance_(GetModuleHandleW(nullptr)) {
    QueryPerformanceFrequency(&clock_frequency_);
    QueryPerformanceCounter(&clock_start_);
}

// The window system goes first: destroying the native windows activates and
// focuses others, which must not be reported to it any more.
Win32Display::~Win32Display() {
    for (auto &[handle, dialog] : dialogs_) dialog->disconnect();
    for (auto &[handle, window] : top_windows_) window->disconnect();
    dialogs_.clear();
    top_windows_.clear();
}

void Win32Display::attach(DisplayHost &host) {
    host_ = &host;
    if (!NativeWindow::register_class(instance_)) {
        std::fprintf(stderr,
                     "KELTO cannot open its windows: the window class could not be "
                     "registered (error %lu).\n",
                     GetLastError());
        std::exit(1);
    }
}

int Win32Display::screen_width() const {
    return GetSystemMetrics(SM_CXSCREEN);
}

int Win32Display::screen_height() const {
    return GetSystemMetrics(SM_CYSCREEN);
}

Rect Win32Display::client_rect_for(uint32_t style, bool has_menu, int outer_width,
                                   int outer_height) const {
    RECT decorations{0, 0, 0, 0};
    AdjustWindowRectEx(&decorations, style & ~static_cast<DWORD>(WS_VISIBLE), has_menu, 0);
    const int width = outer_width - (decorations.right - decorations.left);
    const int height = outer_height - (decorations.bottom - decorations.top);
    return Rect{0, 0, std::max(0, width), std::max(0, height)};
}

void Win32Display::window_created(WindowHandle window) {
    // A dialog is shown by its NativeDialog, made when the dialog starts.
    if (host_->dialog(window)) return;
    top_windows_[window] = std::make_unique<NativeWindow>(*this, window, instance_);
}

void Win32Display::window_destroyed(WindowHandle window) {
    dialogs_.erase(window);
    top_windows_.erase(window);
}

void Win32Display::window_shown(WindowHandle window, bool visible) {
    if (auto it = top_windows_.find(window); it != top_windows_.end()) {
        it->second->set_shown(visible);
        // Windows gives a window its frame and client size as it is made: a
        // window shown is placed at once, and a placement wait is over.
        if (visible) host_->window_placed(window);
    }
    if (auto it = dialogs_.find(window); it != dialogs_.end()) it->second->set_shown(visible);
}

void Win32Display::client_changed(WindowHandle window, const Rect &area) {
    if (auto it = top_windows_.find(window); it != top_windows_.end())
        it->second->client_changed(area);
}

void Win32Display::menu_changed(WindowHandle window) {
    if (auto it = top_windows_.find(window); it != top_windows_.end()) it->second->menu_changed();
}

// Templates without a font of their own use the system font, whose average
// character Windows reports here; the window system then places the items
// where the dialog manager does.
DialogBaseUnits Win32Display::dialog_base_units() const {
    const LONG units = GetDialogBaseUnits();
    const int width = static_cast<int>(low_word(units));
    const int height = static_cast<int>(high_word(units));
    if (width <= 0 || height <= 0) return {};
    return DialogBaseUnits{width, height};
}

void Win32Display::dialog_started(WindowHandle dialog) {
    const Dialog *running = host_->dialog(dialog);
    if (!running) return;
    dialogs_[dialog] =
        std::make_unique<NativeDialog>(*this, dialog, native_of(running->owner), instance_);
}

void Win32Display::dialog_item_changed(WindowHandle dialog, int item_id) {
    if (auto it = dialogs_.find(dialog); it != dialogs_.end()) it->second->item_changed(item_id);
}

int64_t Win32Display::now_ms() const {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return (now.QuadPart - clock_start_.QuadPart) * 1000 / clock_frequency_.QuadPart;
}

// A real user can always bring input, whatever the wait is for. The thread
// sleeps in the kernel until a native message arrives or the deadline passes.
void Win32Display::wait(std::optional<int64_t> deadline_ms, WaitFor) {
    for (;;) {
        pump();
        if (host_->message_ready()) return;
        DWORD timeout = INFINITE;
        if (deadline_ms) {
            const int64_t left = *deadline_ms - now_ms();
            if (left <= 0) return;
            timeout = static_cast<DWORD>(std::min(left, kLongestWaitMs));
        }
        MsgWaitForMultipleObjectsEx(0, nullptr, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

void Win32Display::poll() {
    pump();
}

void Win32Display::pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) continue;  // the window system keeps its own
        // Tab, Enter and Escape in a dialog are the dialog manager's.
        HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
        const WindowHandle target = handle_of(root);
        if (target && dialogs_.count(target) && IsDialogMessageW(root, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    // Native windows destroyed from outside: closed as by their close box.
    while (!lost_.empty()) {
        const WindowHandle lost = lost_.back();
        lost_.pop_back();
        host_->report(WindowLost{lost});
    }
}

WindowHandle Win32Display::handle_of(HWND hwnd) const {
    if (!hwnd) return 0;
    HWND root = GetAncestor(hwnd, GA_ROOT);
    for (const auto &[handle, window] : top_windows_)
        if (window->hwnd() == root) return handle;
    for (const auto &[handle, dialog] : dialogs_)
        if (dialog->hwnd() == root) return handle;
    return 0;
}

HWND Win32Display::native_of(WindowHandle window) const {
    if (auto it = top_windows_.find(window); it != top_windows_.end()) return it->second->hwnd();
    if (auto it = dialogs_.find(window); it != dialogs_.end()) return it->second->hwnd();
    return nullptr;
}

void Win32Display::hint(std::string_view line) {
    const std::string text = std::string(line) + "\n";
    OutputDebugStringA(text.c_str());
    // Standard error where it leads somewhere (a redirected program); else
    // the console the program was started from, if any: a GUI program has
    // none of its own.
    if (GetStdHandle(STD_ERROR_HANDLE)) {
        Display::hint(line);
    } else if (AttachConsole(ATTACH_PARENT_PROCESS) || GetLastError() == ERROR_ACCESS_DENIED) {
        HANDLE console = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, 0, nullptr);
        if (console != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(console, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
            CloseHandle(console);
        }
    }
}

// Every native window on a thread of the display's own, so that a program
// that never waits still has windows that paint and close.
std::unique_ptr<Display> make_platform_display() {
    return make_display_on_own_thread();
}

}  // namespace kelto::platform
