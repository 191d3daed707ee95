// What the web page is told about a window's menu bar and a running dialog:
// plain JSON texts that the page (page/kelto_web.js) builds its HTML from.
// Free of browser code, so it is built and tested natively as well.
#pragma once

#include <string>
#include <string_view>

#include "platform/messages.h"

namespace kelto::platform {

class DisplayHost;

// JSON string literal of 8-bit text (each byte one Latin-1 character) or of
// 16-bit units; everything outside printable ASCII is written as \uXXXX.
std::string json_string(std::string_view latin1);
std::string json_string(std::u16string_view units);

// The window's menu bar: {"menus":[{"text":...,"items":[{"text":...,"id":n,
// "checked":b,"greyed":b} or {"separator":true}, ...]}, ...]}. Text keeps its
// "&" mnemonic marks and its "\t" key hint; an item that opens a drop-down
// of its own is shown as a greyed item. No menu gives {"menus":[]}.
std::string describe_menu_bar(const DisplayHost &host, WindowHandle window);

// A running dialog: {"title":...,"width":w,"height":h,"left":x,"top":y,
// "closeBox":b,"focus":id,"items":[{"id":n,"kind":"static"|"edit"|"button",
// "text":...,"left":x,"top":y,"width":w,"height":h,"visible":b,
// "default":b}, ...]}; the client size and item places in pixels, left and
// top the dialog's place relative to its owner's client area. Items of other
// classes are left out. "{}" when no dialog runs in `dialog`.
std::string describe_dialog(const DisplayHost &host, WindowHandle dialog);

}  // namespace kelto::platform
