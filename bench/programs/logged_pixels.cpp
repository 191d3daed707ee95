// 200,000 logged KELTO_pixel calls and nothing else: the program the console
// benchmark runs in the replay runner.
#include "kelto.h"

int KELTO_main(KeltoInstance instance, KeltoInstance previous_instance, char *command_line,
               int show_state) {
    KELTO_open(instance, previous_instance, command_line, show_state);
    for (int i = 0; i < 200000; ++i) KELTO_pixel(RED, i % 500 - 250, i / 500 % 400 - 200);
    int x = 0, y = 0;
    char key = 0;
    while (KELTO_await_event(&x, &y, &key) != KELTO_QUIT) {
    }
    return 0;
}
