// A beginner's program that calls the library before KELTO_open: it prints
// what each early call answered, then draws a mark for every event, so the
// console and the picture show exactly which events it was handed.
#include <kelto.h>

int KELTO_main(KeltoInstance instance, KeltoInstance previous_instance, char *command_line,
               int show_state) {
    int x = 11, y = 12;
    char key = 13;
    char line[256] = "untouched";
    const int waited = KELTO_await_event(&x, &y, &key);
    const int shown = KELTO_show_text(1);
    const int logging = KELTO_logging(1);
    const int run = KELTO_run_control(RUN_ANIMATE);
    const int asked = KELTO_gets("Your name?", line);
    const int drawn = KELTO_circle(RED, 0, 0, 40);
    KELTO_printf("printed before KELTO_open\n");

    KELTO_open(instance, previous_instance, command_line, show_state);
    KELTO_logging(0);
    KELTO_printf("wait %d (%d, %d, %d)\n", waited, x, y, key);
    KELTO_printf("show_text %d, logging %d, run_control %d, gets %d \"%s\", circle %d\n", shown,
                 logging, run, asked, line, drawn);
    KELTO_clear();
    int marks = 0;
    for (;;) {
        const int event = KELTO_await_event(&x, &y, &key);
        KELTO_printf("event %d (%d, %d, %d)\n", event, x, y, key);
        if (event == KELTO_QUIT) break;
        // Each event leaves a mark in its own place along the top.
        KELTO_rectangle(event == KELTO_KBD ? BLUE : GREEN, -250 + 30 * marks, 200,
                        -230 + 30 * marks, 180, 0);
        if (event == KELTO_MOUSE) KELTO_circle(BLACK, x, y, 3);
        ++marks;
    }
    KELTO_close();
    return marks;
}
