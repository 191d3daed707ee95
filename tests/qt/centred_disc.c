/* A disc at the centre of the graphics window, red at first and blue once
   drawn again after an event: the first must be where every later one is. */
#include <kelto.h>

int KELTO_main(KeltoInstance instance, KeltoInstance previous_instance, char *command_line,
               int show_state) {
    int x, y;
    char key;
    int colour = RED;
    KELTO_open(instance, previous_instance, command_line, show_state);
    KELTO_logging(0);
    do {
        KELTO_clear();
        KELTO_circle(colour, 0, 0, 20);
        colour = BLUE;
    } while (KELTO_await_event(&x, &y, &key) != KELTO_QUIT);
    KELTO_close();
    return 0;
}
