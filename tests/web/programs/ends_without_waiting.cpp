// Draws a disc and ends without ever waiting for an event: its page says
// why nobody could use its window.
#include <kelto.h>

int KELTO_main(KeltoInstance instance, KeltoInstance previous_instance, char *command_line,
               int show_state) {
    KELTO_open(instance, previous_instance, command_line, show_state);
    KELTO_circle(RED, 0, 0, 20);
    KELTO_close();
    return 0;
}
