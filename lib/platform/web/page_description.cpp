// Menus and dialogs described as JSON for the web page.
#include "platform/web/page_description.h"

#include <cstdio>

#include "platform/dialog_template.h"
#include "platform/display_host.h"

namespace kelto::platform {

namespace {

void append_unit(std::string &out, unsigned unit) {
    if (unit == '"' || unit == '\\') {
        out += '\\';
        out += static_cast<char>(unit);
    } else if (unit >= 0x20 && unit < 0x7F) {
        out += static_cast<char>(unit);
    } else {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", unit & 0xFFFF);
        out += escaped;
    }
}

std::string json_bool(bool value) {
    return value ? "true" : "false";
}

std::string describe_items(const DisplayHost &host, MenuHandle menu) {
    std::string out = "[";
    const Menu *model = host.menu(menu);
    for (std::size_t i = 0; model && i < model->items.size(); ++i) {
        const MenuItem &item = model->items[i];
        if (i > 0) out += ',';
        if (item.separator) {
            out += R"({"separator":true})";
            continue;
        }
        out += R"({"text":)" + json_string(item.text) + R"(,"id":)" + std::to_string(item.id) +
               R"(,"checked":)" + json_bool(item.checked) + R"(,"greyed":)" +
               json_bool(item.greyed || item.popup != 0) + "}";
    }
    return out + "]";
}

const char *item_kind(const DialogItemTemplate &control) {
    switch (control.class_ordinal) {
        case DIALOG_CLASS_STATIC: return "static";
        case DIALOG_CLASS_EDIT: return "edit";
        case DIALOG_CLASS_BUTTON: {
            const uint32_t type = control.style & BS_TYPEMASK;
            return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON ? "button" : nullptr;
        }
        default: return nullptr;
    }
}

std::string describe_rect(const Rect &r) {
    return R"("left":)" + std::to_string(r.left) + R"(,"top":)" + std::to_string(r.top) +
           R"(,"width":)" + std::to_string(r.width()) + R"(,"height":)" +
           std::to_string(r.height());
}

}  // namespace

std::string json_string(std::string_view latin1) {
    std::string out = "\"";
    for (const char c : latin1) append_unit(out, static_cast<unsigned char>(c));
    return out + "\"";
}

std::string json_string(std::u16string_view units) {
    std::string out = "\"";
    for (const char16_t unit : units) append_unit(out, unit);
    return out + "\"";
}

std::string describe_menu_bar(const DisplayHost &host, WindowHandle window) {
    const Window *found = host.window(window);
    const Menu *bar = found ? host.menu(found->menu) : nullptr;
    std::string out = R"({"menus":[)";
    for (std::size_t i = 0; bar && i < bar->items.size(); ++i) {
        const MenuItem &item = bar->items[i];
        if (i > 0) out += ',';
        out += R"({"text":)" + json_string(item.text) + R"(,"items":)" +
               describe_items(host, item.popup) + "}";
    }
    return out + "]}";
}

std::string describe_dialog(const DisplayHost &host, WindowHandle dialog) {
    const Dialog *running = host.dialog(dialog);
    const Window *window = host.window(dialog);
    if (!running || !window) return "{}";
    // The owner's client area on the screen, its frame equal on the left,
    // right and bottom, as the dialog was placed.
    int owner_client_left = window->outer.left;
    int owner_client_top = window->outer.top;
    if (const Window *owner = host.window(running->owner)) {
        const int frame = (owner->outer.width() - owner->client.width()) / 2;
        owner_client_left = owner->outer.left + frame;
        owner_client_top = owner->outer.bottom - frame - owner->client.height();
    }
    const DialogItem *focused = running->focused_item();
    std::string out = R"({"title":)" + json_string(running->title) + R"(,"width":)" +
                      std::to_string(window->client.width()) + R"(,"height":)" +
                      std::to_string(window->client.height()) + R"(,"left":)" +
                      std::to_string(window->outer.left - owner_client_left) + R"(,"top":)" +
                      std::to_string(window->outer.top - owner_client_top) + R"(,"closeBox":)" +
                      json_bool((window->style & WS_SYSMENU) != 0) + R"(,"focus":)" +
                      std::to_string(focused ? focused->control.id : 0) + R"(,"items":[)";
    bool first = true;
    for (const DialogItem &item : running->items) {
        const char *kind = item_kind(item.control);
        if (!kind) continue;
        if (!first) out += ',';
        first = false;
        out += R"({"id":)" + std::to_string(item.control.id) + R"(,"kind":")" + kind +
               R"(","text":)" + json_string(item.control.text) + "," + describe_rect(item.pixels) +
               R"(,"visible":)" + json_bool((item.control.style & WS_VISIBLE) != 0) +
               R"(,"default":)" +
               json_bool(item.control.class_ordinal == DIALOG_CLASS_BUTTON &&
                         (item.control.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) +
               "}";
    }
    return out + "]}";
}

}  // namespace kelto::platform
