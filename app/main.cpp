// The card designer's program entry, called by the library's process entry.
#include "card_designer.h"

int KELTO_main(KeltoInstance instance, KeltoInstance previous_instance, char *command_line,
               int show_state) {
    return card_designer_main(instance, previous_instance, command_line, show_state);
}
