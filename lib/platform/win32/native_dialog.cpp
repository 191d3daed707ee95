// Native dialogs from the program's template, reporting to the window system.
#include "platform/win32/native_dialog.h"

#include <string>
#include <vector>

#include "platform/win32/win32_display.h"

namespace kelto::platform {

namespace {

std::u16string item_text(HWND hwnd, int item_id) {
    HWND item = GetDlgItem(hwnd, item_id);
    const int length = item ? GetWindowTextLengthW(item) : 0;
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(item, text.data(), length + 1);
    return std::u16string(text.begin(), text.begin() + std::max(0, copied));
}

}  // namespace

NativeDialog::NativeDialog(Win32Display &display, WindowHandle dialog, HWND owner,
                           HINSTANCE instance)
    : display_(display), host_(display.host()), dialog_(dialog), owner_(owner) {
    const Dialog *running = host_.dialog(dialog_);
    if (!running || running->template_bytes.empty()) return;
    // The template is the platform's own binary layout; new'd storage is
    // aligned as the dialog manager needs.
    CreateDialogIndirectParamW(instance,
                               reinterpret_cast<LPCDLGTEMPLATEW>(running->template_bytes.data()),
                               owner, &NativeDialog::procedure, reinterpret_cast<LPARAM>(this));
    if (!hwnd_) return;
    // The dialog procedure may have changed the texts while initialising.
    for (const DialogItem &item : running->items) item_changed(item.control.id);
    if (const DialogItem *focused = running->focused_item())
        SetFocus(GetDlgItem(hwnd_, focused->control.id));
    // The owner takes no input while the dialog runs, as in a modal loop.
    if (owner_) EnableWindow(owner_, FALSE);
}

NativeDialog::~NativeDialog() {
    // The owner gets its input back first, so that it is activated again.
    if (owner_) EnableWindow(owner_, TRUE);
    if (hwnd_) {
        disconnect();
        DestroyWindow(hwnd_);
    }
}

void NativeDialog::disconnect() {
    if (hwnd_) SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
}

void NativeDialog::set_shown(bool visible) {
    if (!hwnd_) return;
    ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
    if (visible) SetForegroundWindow(hwnd_);
}

void NativeDialog::item_changed(int item_id) {
    const Dialog *running = host_.dialog(dialog_);
    if (!running || !hwnd_) return;
    for (const DialogItem &item : running->items) {
        if (item.control.id != item_id || item_text(hwnd_, item_id) == item.control.text) continue;
        const std::wstring text(item.control.text.begin(), item.control.text.end());
        SetDlgItemTextW(hwnd_, item_id, text.c_str());
    }
}

INT_PTR CALLBACK NativeDialog::procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        auto *self = reinterpret_cast<NativeDialog *>(lparam);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, DWLP_USER, lparam);
        return FALSE;  // the focus is set from the model afterwards
    }
    auto *self = reinterpret_cast<NativeDialog *>(GetWindowLongPtrW(hwnd, DWLP_USER));
    return self ? self->handle(message, wparam, lparam) : FALSE;
}

INT_PTR NativeDialog::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COMMAND: {
            const int id = static_cast<int>(low_word(static_cast<intptr_t>(wparam)));
            const unsigned code = high_word(static_cast<intptr_t>(wparam));
            if (code == EN_CHANGE) {
                text_edited(id);
            } else if (code == BN_CLICKED || lparam == 0) {
                // A button, or Enter and Escape (IDOK, IDCANCEL) from the
                // dialog manager: the window system's dialog decides, on the
                // texts as shown (a multi-line edit field reports no change
                // for a text set with WM_SETTEXT).
                take_edited_texts();
                if (id == IDCANCEL)
                    host_.report(DialogCancel{dialog_});
                else
                    host_.report(DialogButton{dialog_, id});
            }
            return TRUE;
        }
        case WM_CLOSE: host_.report(DialogClose{dialog_}); return TRUE;
        case WM_SETFOCUS: host_.report(FocusChanged{dialog_}); return FALSE;
        case WM_DESTROY:
            if (hwnd_) {
                // Not by the program: lost from outside; it ends as cancelled.
                hwnd_ = nullptr;
                display_.window_lost(dialog_);
            }
            return FALSE;
        default: return FALSE;
    }
}

void NativeDialog::take_edited_texts() {
    const Dialog *running = host_.dialog(dialog_);
    if (!running) return;
    std::vector<int> edits;
    for (const DialogItem &item : running->items)
        if (item.control.class_ordinal == DIALOG_CLASS_EDIT) edits.push_back(item.control.id);
    for (const int id : edits) text_edited(id);
}

void NativeDialog::text_edited(int item_id) {
    host_.report(DialogTextEdited{dialog_, item_id, item_text(hwnd_, item_id)});
}

}  // namespace kelto::platform
