// Reacting to typed keys: each KELTO_KBD event carries one character. The
// typed line grows, Backspace takes the last character away and Enter starts
// afresh. Every key is also printed in the text window.
#include <kelto.h>

#define LINE_SIZE 60

int KELTO_main(KeltoInstance instance, KeltoInstance previous_instance, char *command_line,
               int show_state) {
    char line[LINE_SIZE + 1] = "";
    int length = 0;
    int x, y;
    char key;
    KELTO_open(instance, previous_instance, command_line, show_state);
    KELTO_logging(0);
    for (;;) {
        KELTO_clear();
        KELTO_text(GRAY_50, -280, 200, 14, "Type something. Backspace deletes, Enter clears.");
        KELTO_text(BLACK, -280, 0, 28, line);
        const int event = KELTO_await_event(&x, &y, &key);
        if (event == KELTO_QUIT) break;
        if (event != KELTO_KBD) continue;
        KELTO_printf("key %d\n", (unsigned char)key);
        if (key == '\b') {
            if (length > 0) line[--length] = '\0';
        } else if (key == '\r') {
            length = 0;
            line[0] = '\0';
        } else if (length < LINE_SIZE) {
            line[length++] = key;
            line[length] = '\0';
        }
    }
    KELTO_close();
    return 0;
}
