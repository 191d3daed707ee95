// The process's one window system, as a desktop platform has one per thread:
// created with the platform's display on first use, or with the headless
// display when a test or the replay runner asks for it first.
#pragma once

namespace kelto::platform {

class WindowSystem;
class HeadlessDisplay;

// The window system, created with the default display on first use: the Qt
// desktop display when the library is built with Qt, the Win32 display on
// Windows, the web display in the browser, the headless one otherwise.
WindowSystem &window_system();

// Replaces the window system with one on a fresh headless display; call
// before KELTO_open (tests, automation).
HeadlessDisplay &use_headless_display();

}  // namespace kelto::platform
