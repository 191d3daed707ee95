/* The most common beginner's mistake: a program that draws and then loops
   for ever without waiting for events, calling nothing at all. Its window
   must still show the disc and close. */
#include <kelto.h>

int KELTO_main(KeltoInstance instance, KeltoInstance previous_instance, char *command_line,
               int show_state) {
    KELTO_open(instance, previous_instance, command_line, show_state);
    KELTO_circle(RED, 0, 0, 40);
    for (;;) {
    }
}
