// Draws a disc and then computes for ever without waiting for an event: the
// first week's most common mistake. Its page must stay usable and offer to
// stop it.
#include <kelto.h>

int KELTO_main(KeltoInstance instance, KeltoInstance previous_instance, char *command_line,
               int show_state) {
    KELTO_open(instance, previous_instance, command_line, show_state);
    KELTO_logging(0);
    KELTO_circle(RED, 0, 0, 20);
    volatile unsigned long turns = 0;
    for (;;) turns = turns + 1;
}
