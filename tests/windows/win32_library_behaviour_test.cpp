// The library's behaviour on the Win32 display, in real windows (under Wine
// in the Linux build): the user's actions are the native messages Windows
// queues for them, and what a window shows is read back from the screen.
#include <cctype>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "console/console.h"
#include "platform/system.h"
#include "platform/win32/win32_display.h"
#include "support/library_behaviour.h"
// Windows' headers after the library's: they define the same names as macros.
#include "platform/win32/windows_api.h"

namespace kelto::test {
namespace {

int instance_token;

// The top-level window of this thread with this title; null if none.
HWND thread_window(const std::string &title) {
    struct Search {
        std::wstring title;
        HWND found = nullptr;
    } search{std::wstring(title.begin(), title.end())};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM context) -> BOOL {
            auto &wanted = *reinterpret_cast<Search *>(context);
            wchar_t text[64] = {};
            GetWindowTextW(hwnd, text, 64);
            if (wanted.title != text) return TRUE;
            wanted.found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND native(platform::WindowHandle window) {
    const platform::Window *model = platform::window_system().find(window);
    return model ? thread_window(model->title) : nullptr;
}

// A key as the keyboard reports it: its virtual key and scan code.
void post_key(HWND to, unsigned virtual_key, bool down) {
    const UINT scan = MapVirtualKeyW(virtual_key, MAPVK_VK_TO_VSC);
    const auto lparam = static_cast<LPARAM>(1u | scan << 16 | (down ? 0u : 3u << 30));
    PostMessageW(to, down ? WM_KEYDOWN : WM_KEYUP, virtual_key, lparam);
}

// What is to be done once the line-input dialog is up.
std::function<void()> dialog_action;

void CALLBACK act_in_dialog(HWND, UINT, UINT_PTR timer, DWORD) {
    if (!thread_window("KELTO_gets")) return;  // not up yet: the next tick looks again
    KillTimer(nullptr, timer);
    std::exchange(dialog_action, nullptr)();
}

class Win32Driver {
public:
    void open() {
        // The display driven from the test's own thread, as a program that
        // drives the display itself keeps it: the native windows live on this
        // thread and its timers run inside the library's waits.
        platform::use_display(std::make_unique<platform::Win32Display>());
        KELTO_open(&instance_token, nullptr, nullptr, SW_SHOWNORMAL);
        graphics_ = native(events::state().graphics_window);
        text_ = native(console::state().text_window);
        ASSERT_NE(graphics_, nullptr);
        ASSERT_NE(text_, nullptr);
    }

    void click(int x, int y) {
        RECT client{};
        GetClientRect(graphics_, &client);
        PostMessageW(graphics_, WM_LBUTTONDOWN, MK_LBUTTON,
                     MAKELPARAM(client.right / 2 + x, client.bottom / 2 - y));
    }

    void key(Target target, char letter) {
        const auto virtual_key = static_cast<unsigned>(std::toupper(letter));
        post_key(window(target), virtual_key, true);
        post_key(window(target), virtual_key, false);
    }

    void ctrl_key(Target target, char letter, bool shift) {
        HWND to = window(target);
        post_key(to, VK_CONTROL, true);
        if (shift) post_key(to, VK_SHIFT, true);
        key(target, letter);
        if (shift) post_key(to, VK_SHIFT, false);
        post_key(to, VK_CONTROL, false);
    }

    void menu(int command) { PostMessageW(graphics_, WM_COMMAND, static_cast<WPARAM>(command), 0); }
    void close_box() { PostMessageW(graphics_, WM_CLOSE, 0, 0); }

    bool checked(int command) {
        return GetMenuState(run_menu(), static_cast<UINT>(command), MF_BYCOMMAND) & MF_CHECKED;
    }
    int checked_count() {
        int count = 0;
        for (int item = 0; item < GetMenuItemCount(run_menu()); ++item)
            count += (GetMenuState(run_menu(), static_cast<UINT>(item), MF_BYPOSITION) &
                      MF_CHECKED) != 0;
        return count;
    }

    // The client area as the screen shows it, once pending painting is done.
    Image shown() {
        UpdateWindow(graphics_);
        RECT client{};
        GetClientRect(graphics_, &client);
        Image image(client.right, client.bottom);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = image.width;
        info.bmiHeader.biHeight = -image.height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        HDC screen = GetDC(graphics_);
        HDC memory = CreateCompatibleDC(screen);
        void *bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, image.width, image.height, screen, 0, 0, SRCCOPY);
        GdiFlush();
        const auto *pixels = static_cast<const uint32_t *>(bits);
        for (std::size_t i = 0; i < image.pixels.size(); ++i)
            image.pixels[i] = pixels[i] & 0xFFFFFF;
        SelectObject(memory, previous);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(graphics_, screen);
        return image;
    }

    // Runs on a thread timer, which the dialog's modal loop dispatches.
    void during_dialog(std::function<void()> action) {
        dialog_action = std::move(action);
        SetTimer(nullptr, 0, USER_TIMER_MINIMUM, act_in_dialog);
    }
    void type_into_dialog(const char *text) {
        for (const char *c = text; *c; ++c)
            PostMessageW(GetFocus(), WM_CHAR, static_cast<unsigned char>(*c), 1);
    }
    void enter_in_dialog() {
        post_key(GetFocus(), VK_RETURN, true);
        post_key(GetFocus(), VK_RETURN, false);
    }

private:
    HWND window(Target target) const { return target == Target::Graphics ? graphics_ : text_; }
    HMENU run_menu() const { return GetSubMenu(GetMenu(graphics_), 0); }

    HWND graphics_ = nullptr;
    HWND text_ = nullptr;
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, LibraryBehaviour, Win32Driver);

}  // namespace kelto::test
