// A program built against an installed KELTO: it draws, takes one periodic
// event and ends with status 0.
#include <kelto.h>

int KELTO_main(KeltoInstance instance, KeltoInstance previous_instance, char *command_line,
               int show_state) {
    int x, y;
    char key;
    KELTO_open(instance, previous_instance, command_line, show_state);
    KELTO_logging(0);
    KELTO_clear();
    KELTO_circle(RED, 0, 0, 40);
    KELTO_run_control(RUN_ANIMATE);
    int event;
    do {
        event = KELTO_await_event(&x, &y, &key);
    } while (event != KELTO_PERIODIC && event != KELTO_QUIT);
    KELTO_close();
    return event == KELTO_PERIODIC ? 0 : 1;
}
