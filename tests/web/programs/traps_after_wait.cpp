// Draws a green box, waits for a key and then traps as the key says: a
// aborts, t executes a trap instruction, n calls through a null function
// pointer. Any other key ends the program normally.
#include <kelto.h>

#include <cstdlib>

namespace {

void (*volatile nothing)() = nullptr;

}  // namespace

int KELTO_main(KeltoInstance instance, KeltoInstance previous_instance, char *command_line,
               int show_state) {
    int x, y;
    char key;
    KELTO_open(instance, previous_instance, command_line, show_state);
    KELTO_logging(0);
    KELTO_rectangle(GREEN, -50, 50, 50, -50, 0);
    while (KELTO_await_event(&x, &y, &key) != KELTO_KBD) {
    }
    KELTO_circle(RED, 0, 0, 100);
    if (key == 'a') std::abort();
    if (key == 't') __builtin_trap();
    if (key == 'n') nothing();
    KELTO_close();
    return 0;
}
