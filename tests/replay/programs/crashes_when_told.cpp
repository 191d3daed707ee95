// Draws a green box, prints a line, waits for a key and then ends as the key
// says: s writes through a null pointer, r recurses without end, a aborts,
// t raises SIGTERM. What it drew after its last wait was never shown.
#include <kelto.h>

#include <csignal>
#include <cstdlib>

namespace {

int *volatile nowhere = nullptr;

// The fault itself is what is wanted, not a sanitizer's report of it.
__attribute__((no_sanitize("undefined"))) void write_nowhere() {
    *nowhere = 1;
}

int deeper(int depth) {
    volatile char frame[1024];
    frame[0] = static_cast<char>(depth);
    return deeper(depth + 1) + frame[0];
}

}  // namespace

int KELTO_main(KeltoInstance instance, KeltoInstance previous_instance, char *command_line,
               int show_state) {
    int x, y;
    char key;
    KELTO_open(instance, previous_instance, command_line, show_state);
    KELTO_logging(0);
    KELTO_rectangle(GREEN, -50, 50, 50, -50, 0);
    KELTO_printf("before\n");
    while (KELTO_await_event(&x, &y, &key) != KELTO_KBD) {
    }
    KELTO_printf("key %c\n", key);
    KELTO_circle(RED, 0, 0, 100);
    if (key == 's') write_nowhere();
    if (key == 'r') return deeper(0);
    if (key == 'a') std::abort();
    if (key == 't') std::raise(SIGTERM);
    KELTO_close();
    return 0;
}
