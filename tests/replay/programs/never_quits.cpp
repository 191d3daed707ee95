// A program that takes no notice of KELTO_QUIT.
#include <kelto.h>

int KELTO_main(KeltoInstance instance, KeltoInstance previous_instance, char *command_line,
               int show_state) {
    int x, y;
    char key;
    KELTO_open(instance, previous_instance, command_line, show_state);
    KELTO_logging(0);
    KELTO_clear();
    KELTO_circle(GREEN, 0, 0, 30);
    for (;;) KELTO_await_event(&x, &y, &key);
}
