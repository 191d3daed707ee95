// Draws the first dot, then writes through a null pointer.
#include <kelto.h>

int KELTO_main(KeltoInstance instance, KeltoInstance previous_instance, char *command_line,
               int show_state) {
    int x, y;
    char key;
    int *volatile nowhere = nullptr;
    KELTO_open(instance, previous_instance, command_line, show_state);
    KELTO_logging(0);
    KELTO_clear();
    for (;;) {
        const int event = KELTO_await_event(&x, &y, &key);
        if (event == KELTO_QUIT) break;
        if (event == KELTO_MOUSE) {
            KELTO_circle(RED, x, y, 10);
            *nowhere = x;
        }
    }
    KELTO_close();
    return 0;
}
