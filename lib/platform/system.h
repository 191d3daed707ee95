// The process's one window system, as a desktop platform has one per thread:
// created with the build's display on first use, or with another display
// when a test or the replay runner asks for one first.
#pragma once

#include <memory>

namespace kelto::platform {

class Display;
class HeadlessDisplay;
class WindowSystem;

// The window system, created on first use with the build's display.
WindowSystem &window_system();

// Replaces the window system with one on `display`; call before KELTO_open.
void use_display(std::unique_ptr<Display> display);

// Replaces the window system with one on a fresh headless display (tests,
// automation); call before KELTO_open. Defined by the headless display.
HeadlessDisplay &use_headless_display();

// Makes the build's display: the platform's desktop display, as
// cmake/KeltoDisplays.cmake chose it, else the headless one. Exactly one
// display folder of a build defines it.
std::unique_ptr<Display> make_platform_display();

}  // namespace kelto::platform
