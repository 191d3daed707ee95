// Prints every event it is handed to the text console, so a replay's
// console file shows exactly what the runner handed out.
#include <kelto.h>

int KELTO_main(KeltoInstance instance, KeltoInstance previous_instance, char *command_line,
               int show_state) {
    int x, y;
    char key;
    KELTO_open(instance, previous_instance, command_line, show_state);
    KELTO_logging(0);
    KELTO_run_control(RUN_ANIMATE);  // playback switches animation off
    for (;;) {
        const int event = KELTO_await_event(&x, &y, &key);
        if (event == KELTO_MOUSE) KELTO_printf("mouse %d %d\n", x, y);
        if (event == KELTO_KBD) KELTO_printf("key %d\n", key);
        if (event == KELTO_PERIODIC) KELTO_printf("periodic\n");
        if (event == KELTO_QUIT) break;
    }
    KELTO_printf("quit\n");
    KELTO_close();
    return 7;
}
