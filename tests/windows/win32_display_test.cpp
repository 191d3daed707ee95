// The Win32 display in real windows (under Wine in the Linux build): the
// client area and menu bar Windows gives, input turned into the window
// system's messages, the client image on the screen, the line-input dialog
// as a real dialog, and a window destroyed from outside.
#include "platform/win32/win32_display.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/window_system.h"

namespace kelto::platform {
namespace {

constexpr uint32_t kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr int kAnimate = 7;
constexpr int kOkay = 101;
constexpr int kEdit = 102;

// The window system of the running test, and what its windows received.
WindowSystem *current = nullptr;
std::vector<Message> received;
intptr_t record(WindowHandle window, unsigned message, uintptr_t wparam, intptr_t lparam) {
    received.push_back(Message{window, message, wparam, lparam});
    // Painting validates; a window left invalid is painted again and again.
    if (message == WM_PAINT) return current->default_procedure(window, message, wparam, lparam);
    return 0;
}

class Win32DisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        current = &windows;
        received.clear();
        ASSERT_TRUE(windows.register_class(WindowClass{"test", &record, 0, 0xFFFFFF}));
        window = windows.create_window("test", "Win32 display test", kStyle, 10, 10, 601, 540);
        ASSERT_NE(window, 0);
        windows.show_window(window, SW_SHOW);
        native = FindWindowW(L"KeltoWindow", L"Win32 display test");
        ASSERT_NE(native, nullptr);
    }

    // The messages queued for the window system, handed to the procedure.
    std::vector<Message> take_messages() {
        received.clear();
        windows.display().poll();
        Message message;
        while (windows.peek_message(message)) {
            windows.translate_message(message);
            windows.dispatch_message(message);
        }
        return received;
    }
    bool got(unsigned message_id, Message *found = nullptr) {
        for (const Message &message : take_messages())
            if (message.message == message_id) {
                if (found) *found = message;
                return true;
            }
        return false;
    }

    WindowSystem windows{std::make_unique<Win32Display>()};
    WindowHandle window = 0;
    HWND native = nullptr;
};

TEST_F(Win32DisplayTest, ClientAreaAndMenuBarAreTheNativeOnes) {
    MenuHandle bar = windows.create_menu();
    MenuHandle run = windows.create_popup_menu();
    windows.append_menu(run, MF_STRING, kAnimate, "&Animate\tCtrl+A");
    windows.append_menu(run, MF_SEPARATOR, 0, "");
    windows.append_menu(run, MF_STRING | MF_GRAYED, kAnimate + 1, "&Halt");
    windows.append_menu(bar, MF_POPUP, static_cast<uintptr_t>(run), "&Run");
    windows.set_menu(window, bar);
    take_messages();

    RECT client{};
    GetClientRect(native, &client);
    EXPECT_EQ(windows.client_rect(window), (Rect{0, 0, client.right, client.bottom}));
    RECT outer{};
    GetWindowRect(native, &outer);
    EXPECT_EQ(outer.right - outer.left, 601);
    EXPECT_EQ(outer.bottom - outer.top, 540);

    HMENU native_bar = GetMenu(native);
    ASSERT_NE(native_bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(native_bar), 1);
    wchar_t text[64] = {};
    GetMenuStringW(native_bar, 0, text, 64, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(text), L"&Run");
    HMENU drop_down = GetSubMenu(native_bar, 0);
    ASSERT_EQ(GetMenuItemCount(drop_down), 3);
    GetMenuStringW(drop_down, kAnimate, text, 64, MF_BYCOMMAND);
    EXPECT_EQ(std::wstring(text), L"&Animate\tCtrl+A");
    EXPECT_TRUE(GetMenuState(drop_down, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_TRUE(GetMenuState(drop_down, kAnimate + 1, MF_BYCOMMAND) & MF_GRAYED);

    // A check mark follows the model; a native menu command is a WM_COMMAND.
    EXPECT_FALSE(GetMenuState(drop_down, kAnimate, MF_BYCOMMAND) & MF_CHECKED);
    windows.check_menu_item(run, kAnimate, true);
    EXPECT_TRUE(GetMenuState(GetSubMenu(GetMenu(native), 0), kAnimate, MF_BYCOMMAND) & MF_CHECKED);
    PostMessageW(native, WM_COMMAND, kAnimate, 0);
    Message command;
    ASSERT_TRUE(got(WM_COMMAND, &command));
    EXPECT_EQ(command.wparam, static_cast<uintptr_t>(kAnimate));
}

TEST_F(Win32DisplayTest, MouseAndKeysBecomeTheWindowSystemsMessages) {
    take_messages();
    PostMessageW(native, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 34));
    Message click;
    ASSERT_TRUE(got(WM_LBUTTONDOWN, &click));
    EXPECT_EQ(low_word(click.lparam), 12u);
    EXPECT_EQ(high_word(click.lparam), 34u);

    // 'A' with its scan code: the key-down carries the character it types,
    // which the window system queues right behind it.
    const LPARAM a_down = 1 | (0x1E << 16);
    PostMessageW(native, WM_KEYDOWN, 'A', a_down);
    const std::vector<Message> messages = take_messages();
    ASSERT_GE(messages.size(), 2u);
    EXPECT_EQ(messages[0].message, WM_KEYDOWN);
    EXPECT_EQ(messages[0].wparam, static_cast<uintptr_t>('A'));
    EXPECT_EQ(messages[1].message, WM_CHAR);
    EXPECT_EQ(messages[1].wparam, static_cast<uintptr_t>('a'));

    PostMessageW(native, WM_KEYUP, 'A', a_down | (3 << 30));
    EXPECT_TRUE(got(WM_KEYUP));
    // The close box asks; the program decides.
    PostMessageW(native, WM_CLOSE, 0, 0);
    EXPECT_TRUE(got(WM_CLOSE));
    EXPECT_TRUE(IsWindow(native));
}

TEST_F(Win32DisplayTest, TheClientImageIsWhatTheWindowShows) {
    take_messages();  // the first paint, which erases
    Image *image = windows.client_image(window);
    ASSERT_NE(image, nullptr);
    fill_rect(*image, 0, 0, image->width, image->height, 0x003399);
    fill_rect(*image, 20, 30, 25, 33, 0xFF6600);
    windows.client_changed(window);
    take_messages();
    UpdateWindow(native);
    HDC dc = GetDC(native);
    EXPECT_EQ(GetPixel(dc, 22, 31), RGB(0xFF, 0x66, 0x00));
    EXPECT_EQ(GetPixel(dc, 19, 31), RGB(0x00, 0x33, 0x99));
    EXPECT_EQ(GetPixel(dc, image->width - 1, image->height - 1), RGB(0x00, 0x33, 0x99));
    ReleaseDC(native, dc);
}

// The dialog of the line input: a prompt, a multi-line edit field and Okay.
std::vector<uint8_t> line_input_template() {
    std::vector<uint8_t> bytes;
    auto u16 = [&](unsigned v) {
        bytes.push_back(static_cast<uint8_t>(v & 0xFF));
        bytes.push_back(static_cast<uint8_t>(v >> 8));
    };
    auto u32 = [&](uint32_t v) { u16(v & 0xFFFF), u16(v >> 16); };
    auto text = [&](const std::u16string &s) {
        for (char16_t c : s) u16(c);
        u16(0);
    };
    auto align = [&] {
        while (bytes.size() % 4) bytes.push_back(0);
    };
    auto item = [&](uint32_t style, int x, int y, int cx, int cy, int id, unsigned ordinal,
                    const std::u16string &title) {
        align();
        u32(WS_CHILD | WS_VISIBLE | style), u32(0);
        u16(static_cast<unsigned>(x)), u16(static_cast<unsigned>(y));
        u16(static_cast<unsigned>(cx)), u16(static_cast<unsigned>(cy));
        u16(static_cast<unsigned>(id)), u16(0xFFFF), u16(ordinal);
        text(title);
        u16(0);
    };
    u32(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME), u32(0);
    u16(3), u16(20), u16(20), u16(190), u16(100);
    u16(0), u16(0);  // no menu, the standard class
    text(u"Line input test");
    item(SS_LEFT, 8, 8, 170, 16, 100, DIALOG_CLASS_STATIC, u"What is your name?");
    item(WS_BORDER | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL, 8, 30, 167, 37, kEdit,
         DIALOG_CLASS_EDIT, u"");
    item(WS_TABSTOP | BS_DEFPUSHBUTTON, 70, 75, 50, 14, kOkay, DIALOG_CLASS_BUTTON, u"Okay");
    return bytes;
}

struct DialogRun {
    WindowSystem *windows = nullptr;
    HWND owner = nullptr;
    bool owner_disabled = false;
    std::u16string typed;
    int ticks = 0;
} run;

intptr_t owner_procedure(WindowHandle window, unsigned message, uintptr_t wparam, intptr_t lparam) {
    if (message != WM_TIMER) return record(window, message, wparam, lparam);
    // The user types into the real dialog and presses its button.
    // Nothing to press within five seconds: the quit ends the modal loop.
    if (++run.ticks > 50) run.windows->post_quit(0);
    HWND dialog = FindWindowW(nullptr, L"Line input test");
    if (!dialog) return 0;
    run.owner_disabled = !IsWindowEnabled(run.owner);
    SetDlgItemTextW(dialog, kEdit, L"Ada");
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kOkay, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, kOkay)));
    return 0;
}

intptr_t dialog_procedure(WindowHandle dialog, unsigned message, uintptr_t wparam, intptr_t) {
    if (message == WM_INITDIALOG) return 1;
    if (message != WM_COMMAND || wparam != kOkay) return 0;
    char16_t text[64] = {};
    run.windows->get_dialog_item_text(dialog, kEdit, text, 64);
    run.typed = text;
    run.windows->end_dialog(dialog, 1);
    return 1;
}

TEST_F(Win32DisplayTest, TheLineInputIsARealDialogThatHandsBackItsText) {
    ASSERT_TRUE(windows.register_class(WindowClass{"owner", &owner_procedure, 0, 0xFFFFFF}));
    const WindowHandle owner =
        windows.create_window("owner", "Dialog owner", kStyle, 0, 0, 601, 540);
    windows.show_window(owner, SW_SHOW);
    run = DialogRun{&windows, FindWindowW(L"KeltoWindow", L"Dialog owner"), false, {}, 0};
    ASSERT_NE(run.owner, nullptr);
    windows.set_timer(owner, 1, 100);

    const std::vector<uint8_t> bytes = line_input_template();
    EXPECT_EQ(windows.dialog_box_indirect(bytes, owner, &dialog_procedure, 0), 1);
    EXPECT_EQ(run.typed, u"Ada");
    EXPECT_TRUE(run.owner_disabled);
    EXPECT_TRUE(IsWindowEnabled(run.owner));
    EXPECT_EQ(FindWindowW(nullptr, L"Line input test"), nullptr);
}

TEST_F(Win32DisplayTest, AWindowDestroyedFromOutsideIsClosedAsByItsCloseBox) {
    take_messages();
    DestroyWindow(native);
    EXPECT_TRUE(got(WM_CLOSE));
    EXPECT_TRUE(windows.destroy_window(window));
}

}  // namespace
}  // namespace kelto::platform
