// A missing semicolon.
#include <kelto.h>

int KELTO_main(KeltoInstance instance, KeltoInstance previous_instance, char *command_line,
               int show_state) {
    KELTO_open(instance, previous_instance, command_line, show_state)
    KELTO_close();
    return 0;
}
