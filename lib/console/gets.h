// The line input dialog behind KELTO_gets: the in-memory dialog template it
// builds on every call and the dialog procedure it runs with it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/messages.h"

namespace kelto::console {

constexpr std::size_t kGetsTemplateSize = 292;
// The prompt is shown as exactly this many characters, cut or blank-padded.
constexpr int kGetsPromptLength = 79;
// The caller's buffer: at most 255 characters and the terminating zero.
constexpr int kGetsBufferSize = 256;

// Identifiers of the dialog's items.
enum GetsItem : int {
    GETS_OKAY = 101,    // the "Okay" push button
    GETS_EDIT = 102,    // the edit field
    GETS_PROMPT = 103,  // the static prompt text
};

using GetsTemplate = std::array<uint8_t, kGetsTemplateSize>;

// The dialog template for `prompt` (an 8-bit Windows-1252 string; nullptr
// counts as empty), in the platform's binary layout.
GetsTemplate build_gets_template(const char *prompt);

// The dialog procedure: remembers the caller's buffer on WM_INITDIALOG and,
// when the button is pressed, stores the typed line there and ends the dialog.
intptr_t gets_dlg_proc(platform::WindowHandle dialog, unsigned message, uintptr_t wparam,
                       intptr_t lparam);

// Runs the dialog for `prompt` owned by `owner` until its button is pressed,
// storing the typed line in `buffer` (kGetsBufferSize bytes). Returns false
// when the dialog cannot be created.
bool ask_line(platform::WindowHandle owner, const char *prompt, char *buffer);

}  // namespace kelto::console
