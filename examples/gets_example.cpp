// Asks for a line with KELTO_gets and writes what was typed on the picture,
// then waits until the program is told to quit.
#include "kelto.h"

int KELTO_main(KeltoInstance instance, KeltoInstance previous_instance, char *command_line,
               int show_state) {
    char line[256] = "";
    int x = 0, y = 0;
    char key = 0;
    KELTO_open(instance, previous_instance, command_line, show_state);
    KELTO_show_text(0);
    KELTO_logging(0);
    KELTO_clear();
    KELTO_text(BLUE, -280, 200, 16, "Type a line into the dialog and press Okay.");
    KELTO_gets("What shall I write on the picture?", line);
    KELTO_clear();
    KELTO_text(GRAY_50, -280, 60, 16, "You typed:");
    KELTO_text(NAVY_BLUE, -280, 0, 24, line);
    KELTO_text(GRAY_50, -280, -200, 12, "Close the window or press Ctrl+Q to end.");
    while (KELTO_await_event(&x, &y, &key) != KELTO_QUIT) {
    }
    KELTO_close();
    return 0;
}
