// The bridge to the object KeltoPage of the worker the program runs in
// (page/kelto_worker.js), which passes everything on to the page. Texts
// travel as JSON, which is plain ASCII here; the program suspends only inside
// the two EM_ASYNC_JS functions, through Asyncify.
#include "platform/web/page.h"

#include <emscripten.h>

// clang-format off
EM_JS(void, kelto_page_window_created, (int window, const char *title, int sizable, int close_box), {
    KeltoPage.windowCreated(window, JSON.parse(UTF8ToString(title)), !!sizable, !!close_box);
});
EM_JS(void, kelto_page_window_destroyed, (int window), { KeltoPage.windowDestroyed(window); });
EM_JS(void, kelto_page_window_shown, (int window, int visible), {
    KeltoPage.windowShown(window, !!visible);
});
EM_JS(void, kelto_page_set_menu_bar, (int window, const char *menu), {
    KeltoPage.setMenuBar(window, JSON.parse(UTF8ToString(menu)));
});
EM_JS(void, kelto_page_present, (int window, const uint32_t *pixels, int width, int height,
                                 int left, int top, int right, int bottom), {
    KeltoPage.present(window, HEAPU32, pixels >> 2, width, height, left, top, right - left,
                      bottom - top);
});
EM_JS(void, kelto_page_dialog_started, (int dialog, int owner, const char *description), {
    KeltoPage.dialogStarted(dialog, owner, JSON.parse(UTF8ToString(description)));
});
EM_JS(void, kelto_page_dialog_item_changed, (int dialog, int item, const char *text), {
    KeltoPage.dialogItemChanged(dialog, item, JSON.parse(UTF8ToString(text)));
});
// Fills out[0..4] with kind, window, a, b and the length of the text in
// 16-bit units; 0 when the queue is empty.
EM_JS(int, kelto_page_take, (int32_t *out), {
    const input = KeltoPage.take();
    if (!input) return 0;
    const i = out >> 2;
    HEAP32[i] = input.kind;
    HEAP32[i + 1] = input.window | 0;
    HEAP32[i + 2] = input.a | 0;
    HEAP32[i + 3] = input.b | 0;
    HEAP32[i + 4] = input.text ? input.text.length : 0;
    return 1;
});
// Copies the text of the record taken last into `units` (`count` units).
EM_JS(void, kelto_page_taken_text, (char16_t *units, int count), {
    const text = KeltoPage.takenText();
    for (let i = 0; i < count; ++i) HEAPU16[(units >> 1) + i] = text.charCodeAt(i);
});
EM_JS(void, kelto_page_hint, (const char *text), { KeltoPage.hint(JSON.parse(UTF8ToString(text))); });
EM_JS(double, kelto_page_now, (), { return performance.now(); });
EM_ASYNC_JS(void, kelto_page_wait, (double deadline), {
    await KeltoPage.waitForInput(deadline);
});
EM_ASYNC_JS(void, kelto_page_give_turn, (), { await KeltoPage.giveTurn(); });
// clang-format on

namespace kelto::platform::page {

void window_created(WindowHandle window, const std::string &title_json, bool sizable,
                    bool close_box) {
    kelto_page_window_created(window, title_json.c_str(), sizable, close_box);
}

void window_destroyed(WindowHandle window) {
    kelto_page_window_destroyed(window);
}

void window_shown(WindowHandle window, bool visible) {
    kelto_page_window_shown(window, visible);
}

void set_menu_bar(WindowHandle window, const std::string &menu_json) {
    kelto_page_set_menu_bar(window, menu_json.c_str());
}

void present(WindowHandle window, const uint32_t *pixels, int width, int height, const Rect &area) {
    kelto_page_present(window, pixels, width, height, area.left, area.top, area.right, area.bottom);
}

void dialog_started(WindowHandle dialog, WindowHandle owner, const std::string &dialog_json) {
    kelto_page_dialog_started(dialog, owner, dialog_json.c_str());
}

void dialog_item_changed(WindowHandle dialog, int item_id, const std::string &text_json) {
    kelto_page_dialog_item_changed(dialog, item_id, text_json.c_str());
}

bool take(PageInput &input) {
    int32_t record[5];
    if (!kelto_page_take(record)) return false;
    input.kind = record[0];
    input.window = record[1];
    input.a = record[2];
    input.b = record[3];
    input.text.assign(static_cast<std::size_t>(record[4] > 0 ? record[4] : 0), u'\0');
    if (!input.text.empty())
        kelto_page_taken_text(input.text.data(), static_cast<int>(input.text.size()));
    return true;
}

void hint(const std::string &line_json) {
    kelto_page_hint(line_json.c_str());
}

double now_ms() {
    return kelto_page_now();
}

void wait(double deadline_ms) {
    kelto_page_wait(deadline_ms);
}

void give_turn() {
    kelto_page_give_turn();
}

}  // namespace kelto::platform::page
