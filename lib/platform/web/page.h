// The calls between the web display and its page (page/kelto_web.js): what
// the page shows, the page's input queue, its clock, and the two ways the
// program gives the browser its turn. Only page.cpp touches the browser.
#pragma once

#include <cstdint>
#include <string>

#include "pixels/rect.h"
#include "platform/web/page_input.h"

namespace kelto::platform::page {

// ---- Windows. Descriptions are JSON texts (page_description.h).
void window_created(WindowHandle window, const std::string &title_json, bool sizable,
                    bool close_box);
void window_destroyed(WindowHandle window);
void window_shown(WindowHandle window, bool visible);
void set_menu_bar(WindowHandle window, const std::string &menu_json);
// Shows `area` of a width x height client image of 0x00RRGGBB pixels.
void present(WindowHandle window, const uint32_t *pixels, int width, int height, const Rect &area);

// ---- Dialogs
void dialog_started(WindowHandle dialog, WindowHandle owner, const std::string &dialog_json);
void dialog_item_changed(WindowHandle dialog, int item_id, const std::string &text_json);

// ---- Input, time and waiting
// Takes the oldest record of the page's input queue, without blocking.
bool take(PageInput &input);
double now_ms();  // the page's monotonic clock
// Suspends the program until the page queues input or, when deadline_ms is
// not negative, until that time; the browser runs meanwhile and nothing
// polls.
void wait(double deadline_ms);
// Suspends the program for one turn of the browser's event loop, so a
// program that never waits still shows its frames and sees the user.
void give_turn();

}  // namespace kelto::platform::page
