// Draws for ever and never waits for an event.
#include <kelto.h>

int KELTO_main(KeltoInstance instance, KeltoInstance previous_instance, char *command_line,
               int show_state) {
    KELTO_open(instance, previous_instance, command_line, show_state);
    KELTO_logging(0);
    for (int size = 0;; size = (size + 1) % 200) KELTO_circle(RED, 0, 0, size);
}
