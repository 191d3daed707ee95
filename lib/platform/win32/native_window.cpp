// Native top-level windows: creation at the window system's outer rectangle,
// painting from the client image, and input reported to the window system.
#include "platform/win32/native_window.h"

#include "platform/win32/text_utf16.h"
#include "platform/win32/win32_display.h"

namespace kelto::platform {

namespace {

// The character a key-down types: TranslateMessage has queued it right
// behind the key-down. Latin-1 without the C1 controls, as on every display.
unsigned take_typed_character(HWND hwnd) {
    MSG typed;
    if (!PeekMessageW(&typed, hwnd, WM_CHAR, WM_CHAR, PM_REMOVE)) return 0;
    const auto code = static_cast<unsigned>(typed.wParam);
    if (code > 0xFF || (code >= 0x80 && code < 0xA0)) return 0;
    return code;
}

int signed_low(LPARAM value) {
    return static_cast<short>(low_word(value));
}
int signed_high(LPARAM value) {
    return static_cast<short>(high_word(value));
}

COLORREF colour_ref(uint32_t rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

}  // namespace

bool NativeWindow::register_class(HINSTANCE instance) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof(window_class);
    // The client image covers the whole client area: no class background,
    // and no redraw of all of it on a resize.
    window_class.lpfnWndProc = &NativeWindow::procedure;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    window_class.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    window_class.lpszClassName = kClassName;
    return RegisterClassExW(&window_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

NativeWindow::NativeWindow(Win32Display &display, WindowHandle window, HINSTANCE instance)
    : display_(display), host_(display.host()), window_(window) {
    const Window *model = host_.window(window_);
    if (!model) return;
    const std::wstring title = to_wide(model->title);
    const DWORD style = model->style & ~static_cast<DWORD>(WS_VISIBLE);
    CreateWindowExW(0, kClassName, title.c_str(), style, model->outer.left, model->outer.top,
                    model->outer.width(), model->outer.height(), nullptr, nullptr, instance, this);
}

NativeWindow::~NativeWindow() {
    menu_bar_.reset();
    if (hwnd_) {
        // Destroyed by the program: nothing is lost.
        disconnect();
        DestroyWindow(hwnd_);
    }
}

void NativeWindow::disconnect() {
    if (hwnd_) SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
}

void NativeWindow::set_shown(bool visible) {
    if (!hwnd_) return;
    ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
    if (visible) SetForegroundWindow(hwnd_);
}

void NativeWindow::client_changed(const Rect &area) {
    if (!hwnd_) return;
    const RECT changed{area.left, area.top, area.right, area.bottom};
    InvalidateRect(hwnd_, &changed, FALSE);
}

void NativeWindow::menu_changed() {
    const Window *model = host_.window(window_);
    if (!hwnd_ || !model) return;
    if (!menu_bar_ && model->menu == 0) return;
    if (!menu_bar_) menu_bar_ = std::make_unique<NativeMenuBar>(host_, hwnd_);
    menu_bar_->sync(model->menu);
}

LRESULT CALLBACK NativeWindow::procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto *self =
            static_cast<NativeWindow *>(reinterpret_cast<CREATESTRUCTW *>(lparam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto *self = reinterpret_cast<NativeWindow *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wparam, lparam);
    return self->handle(message, wparam, lparam);
}

LRESULT NativeWindow::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_PAINT: paint(); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_LBUTTONDOWN:
            host_.report(Click{window_, signed_low(lparam), signed_high(lparam)});
            return 0;
        case WM_KEYDOWN: report_key_down(wparam, lparam); return 0;
        case WM_KEYUP: host_.report(KeyUp{window_, static_cast<unsigned>(wparam)}); return 0;
        case WM_CHAR: return 0;  // a key-down has taken it already
        case WM_SETFOCUS: host_.report(FocusChanged{window_}); return 0;
        case WM_KILLFOCUS:
            host_.report(FocusChanged{display_.handle_of(reinterpret_cast<HWND>(wparam))});
            return 0;
        case WM_CLOSE:
            // The window system decides: its default procedure destroys the window.
            host_.report(CloseRequest{window_});
            return 0;
        case WM_COMMAND:
            // A menu command (a control would name itself in lparam).
            if (lparam == 0 && high_word(static_cast<intptr_t>(wparam)) == 0)
                host_.report(MenuCommand{
                    window_, static_cast<int>(low_word(static_cast<intptr_t>(wparam)))});
            return 0;
        case WM_MOVE:
        case WM_SIZE: sync_geometry(); return 0;
        case WM_DESTROY:
            // Not by the program (that clears the link first): lost from outside.
            hwnd_ = nullptr;
            display_.window_lost(window_);
            return 0;
        default: return DefWindowProcW(hwnd_, message, wparam, lparam);
    }
}

void NativeWindow::report_key_down(WPARAM key, LPARAM flags) {
    const unsigned character = take_typed_character(hwnd_);
    host_.report(KeyDown{window_, static_cast<unsigned>(key), character, low_word(flags)});
}

void NativeWindow::paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(hwnd_, &paint);
    if (const Window *model = host_.window(window_)) {
        const Image &image = model->image;
        if (image.width > 0 && image.height > 0) {
            // 0x00RRGGBB pixels are a 32-bit top-down DIB as they are.
            BITMAPINFO info{};
            info.bmiHeader.biSize = sizeof(info.bmiHeader);
            info.bmiHeader.biWidth = image.width;
            info.bmiHeader.biHeight = -image.height;
            info.bmiHeader.biPlanes = 1;
            info.bmiHeader.biBitCount = 32;
            info.bmiHeader.biCompression = BI_RGB;
            SetDIBitsToDevice(
                dc, 0, 0, static_cast<DWORD>(image.width), static_cast<DWORD>(image.height), 0, 0,
                0, static_cast<UINT>(image.height), image.pixels.data(), &info, DIB_RGB_COLORS);
        }
        // While the native size and the window system's disagree, the rest
        // is background.
        RECT client{};
        GetClientRect(hwnd_, &client);
        HBRUSH background = CreateSolidBrush(colour_ref(model->background));
        const RECT right{image.width, 0, client.right, client.bottom};
        const RECT below{0, image.height, std::min<LONG>(image.width, client.right), client.bottom};
        if (right.left < right.right) FillRect(dc, &right, background);
        if (below.top < below.bottom) FillRect(dc, &below, background);
        DeleteObject(background);
    }
    EndPaint(hwnd_, &paint);
}

void NativeWindow::sync_geometry() {
    const Window *model = host_.window(window_);
    if (syncing_ || !hwnd_ || !model || IsIconic(hwnd_)) return;
    RECT outer{}, client{};
    GetWindowRect(hwnd_, &outer);
    GetClientRect(hwnd_, &client);
    const Rect real{outer.left, outer.top, outer.right, outer.bottom};
    if (real == model->outer && client.right == model->client.width() &&
        client.bottom == model->client.height())
        return;
    syncing_ = true;
    host_.report(WindowMoved{window_, real});
    syncing_ = false;
}

}  // namespace kelto::platform
