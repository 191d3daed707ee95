// Asking a question: KELTO_gets shows a small dialog and waits until the
// user presses Okay, then the answer is in your buffer.
#include <kelto.h>

int KELTO_main(KeltoInstance instance, KeltoInstance previous_instance, char *command_line,
               int show_state) {
    char name[256] = "";  // KELTO_gets needs room for 255 characters and the end
    int x, y;
    char key;
    KELTO_open(instance, previous_instance, command_line, show_state);
    KELTO_logging(0);
    KELTO_show_text(0);
    KELTO_clear();
    KELTO_text(BLUE, -280, 200, 16, "Type your name into the dialog and press Okay.");
    KELTO_gets("What is your name?", name);
    KELTO_clear();
    KELTO_text_printf(NAVY_BLUE, -280, 40, 36, "Hello, %s!", name[0] ? name : "stranger");
    KELTO_text(GRAY_50, -280, -200, 12, "Close the window or press Ctrl+Q to end.");
    while (KELTO_await_event(&x, &y, &key) != KELTO_QUIT) {
    }
    KELTO_close();
    return 0;
}
