// The Windows API for the Win32 display. The window system's headers come
// first: windows.h defines the same message, key and style names as macros
// (with the same values), and they must not meet our declarations of them.
#pragma once

#include "platform/dialog.h"
#include "platform/dialog_template.h"
#include "platform/display.h"
#include "platform/display_host.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/messages.h"
#include "platform/window.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
