// The teacher's solution: a dot at every click, and a line in the console
// for every click and key.
#include <kelto.h>

int KELTO_main(KeltoInstance instance, KeltoInstance previous_instance, char *command_line,
               int show_state) {
    int x, y;
    char key;
    KELTO_open(instance, previous_instance, command_line, show_state);
    KELTO_logging(0);
    KELTO_clear();
    KELTO_text(NAVY_BLUE, -280, 220, 14, "Dots");
    for (;;) {
        const int event = KELTO_await_event(&x, &y, &key);
        if (event == KELTO_QUIT) break;
        if (event == KELTO_MOUSE) {
            KELTO_circle(RED, x, y, 10);
            KELTO_printf("dot at %d, %d\n", x, y);
        }
        if (event == KELTO_KBD) KELTO_printf("key %c\n", key);
    }
    KELTO_close();
    return 0;
}
