// Written otherwise, does the same as the reference.
#include <kelto.h>

static void dot(int x, int y) {
    KELTO_circle_pt(RED, Point{x, y}, 10);
    KELTO_printf("dot at %d, %d\n", x, y);
}

int KELTO_main(KeltoInstance instance, KeltoInstance previous_instance, char *command_line,
               int show_state) {
    KELTO_open(instance, previous_instance, command_line, show_state);
    KELTO_logging(0);
    KELTO_clear();
    KELTO_text_printf(NAVY_BLUE, -280, 220, 14, "%s", "Dots");
    int x, y, event;
    char key;
    while ((event = KELTO_await_event(&x, &y, &key)) != KELTO_QUIT) {
        if (event == KELTO_MOUSE) dot(x, y);
        else if (event == KELTO_KBD) KELTO_printf("key %c\n", key);
    }
    KELTO_close();
    return 0;
}
