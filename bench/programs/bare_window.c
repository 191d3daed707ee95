/* The least a Win32 program does to put a frame on screen: one window of the
 * graphics window's size, shown at once and painted yellow. The Windows
 * start-up measurement compares the card designer's first frame with it. */
#include <windows.h>

static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            RECT client;
            GetClientRect(window, &client);
            HBRUSH yellow = CreateSolidBrush(RGB(255, 255, 0));
            FillRect(dc, &client, yellow);
            DeleteObject(yellow);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: return DefWindowProcW(window, message, wparam, lparam);
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR command_line, int show) {
    (void)previous;
    (void)command_line;
    WNDCLASSW window_class = {0};
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
    window_class.lpszClassName = L"BareWindow";
    RegisterClassW(&window_class);
    HWND window = CreateWindowW(L"BareWindow", L"Bare Window", WS_CAPTION | WS_SYSMENU, 0, 0, 601,
                                540, NULL, NULL, instance, NULL);
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
